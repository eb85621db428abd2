#include "catalogue/uFindFiles.h"

#include <vector>

#include "catalogue/FileMask.h"
#include "platform/Platform.h"

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return {};
    if (folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

void TRecursiveFindFiles::FindFiles(const std::string& mask, bool descend)
{
    const std::size_t slash = mask.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : mask.substr(0, slash);
    const std::string pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);

    // Hidden, system and read-only entries all match, folders included. Windows also
    // matches the mask against short names (Report.lnkx is REPORT~1.LNK): every name is
    // held to the mask again, so that both platforms list the same files.
    for (const platform::DirectoryEntry& match : platform::Directories().Enumerate(mask))
        if (OnFile && MatchesFileMask(match.Name, pattern))
            OnFile(*this, folder + "\\" + match.Name);
    if (!descend)
        return;

    // Sub-folders that are not hidden are searched, system and read-only ones too.
    // Plain files are passed over: searching below one could find nothing, and
    // trying would cost two failing listings per file of the tree.
    std::vector<std::string> subMasks;
    for (const platform::DirectoryEntry& entry : platform::Directories().Enumerate(folder + "\\*.*"))
        if (entry.IsFolder() && !entry.IsHidden() && entry.Name != "." && entry.Name != "..")
            subMasks.push_back(folder + "\\" + entry.Name + "\\" + pattern);
    for (const std::string& subMask : subMasks)
        FindFiles(subMask, true);
}
