#include "matching/EntryIdentity.h"

#include "catalogue/uCPLProgramItem.h"
#include "catalogue/uSearchData.h"

TEntryIdentity IdentityOf(const TProgramInfo& entry)
{
    const auto* applet = dynamic_cast<const TCPLItem*>(&entry);
    return {entry.Path, applet != nullptr ? applet->CplFile : std::string()};
}

TProgramInfo* FindLiveEntry(const TEntryIdentity& identity)
{
    for (const auto& [text, entry] : SearchData().Items().Pairs()) {
        if (entry->Path != identity.Path)
            continue;
        const auto* applet = dynamic_cast<const TCPLItem*>(entry);
        if ((applet != nullptr ? applet->CplFile : std::string()) == identity.Module)
            return entry;
    }
    return nullptr;
}
