#include "catalogue/uRecentFile.h"

#include "catalogue/SortedItems.h"
#include "platform/SpecialFolders.h"

TRecentFilesFolder::TRecentFilesFolder(TAbbrevInfos& abbreviations) : TWatchedFolder(abbreviations)
{
    LoadSpecialFolder(platform::CsidlRecent);
}

void TRecentFilesFolder::FillList(TItemList& list)
{
    // Entries left out stay owned; they are only not listed.
    for (const std::unique_ptr<TProgramInfo>& entry : Entries) {
        const std::string text = entry->DisplayText();
        if (!list.ContainsText(text))
            list.AddObject(text, entry.get());
    }
}

void TRecentFilesFolder::AddFile(const std::string& path)
{
    Append(std::make_unique<TRecentProgramInfo>(), path);
}
