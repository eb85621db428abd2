#include "catalogue/ShortcutTree.h"

#include <cctype>

#include "catalogue/FileMask.h"
#include "platform/Platform.h"

namespace {

void AppendGroup(const std::string& path, const TShortcutFolder& folder, bool links, std::vector<std::string>& paths)
{
    for (const std::string& name : links ? folder.Links : folder.Urls)
        paths.push_back(path + "\\" + name);
    for (const TShortcutFolder& sub : folder.Folders)
        AppendGroup(path + "\\" + sub.Name, sub, links, paths);
}

} // namespace

TShortcutFolder ListShortcutFolder(const std::string& path)
{
    // One listing serves both groups and the sub-folders: a folder's shortcuts are the
    // entries the masks match, every attribute admitted; the folders entered are those
    // not hidden (system and read-only ones are).
    TShortcutFolder folder;
    for (const platform::DirectoryEntry& entry : platform::Directories().Enumerate(path + "\\*.*")) {
        if (MatchesFileMask(entry.Name, "*.LNK"))
            folder.Links.push_back(entry.Name);
        else if (MatchesFileMask(entry.Name, "*.URL"))
            folder.Urls.push_back(entry.Name);
        if (entry.IsFolder() && !entry.IsHidden())
            folder.Folders.push_back({entry.Name, {}, {}, {}, false});
    }
    return folder;
}

bool WalkShortcutTree(const std::string& path, TShortcutFolder& folder, const std::stop_token& stop)
{
    if (stop.stop_requested())
        return false;
    std::string name = std::move(folder.Name);
    folder = ListShortcutFolder(path);
    folder.Name = std::move(name);
    for (TShortcutFolder& sub : folder.Folders)
        if (!WalkShortcutTree(path + "\\" + sub.Name, sub, stop))
            return false;
    return true;
}

void AppendShortcutPaths(const std::string& path, const TShortcutFolder& tree, std::vector<std::string>& paths)
{
    AppendGroup(path, tree, true, paths);
    AppendGroup(path, tree, false, paths);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

TShortcutFolder* FindSubfolder(TShortcutFolder& folder, std::string_view name)
{
    for (TShortcutFolder& sub : folder.Folders)
        if (SameName(sub.Name, name))
            return &sub;
    return nullptr;
}

TShortcutFolder* FindShortcutFolder(TShortcutFolder& root, std::string_view relativePath)
{
    TShortcutFolder* folder = &root;
    while (folder != nullptr && !relativePath.empty()) {
        const std::size_t separator = relativePath.find('\\');
        folder = FindSubfolder(*folder, relativePath.substr(0, separator));
        relativePath = separator == std::string_view::npos ? std::string_view() : relativePath.substr(separator + 1);
    }
    return folder;
}

std::string_view ParentPath(std::string_view relativePath)
{
    const std::size_t separator = relativePath.find_last_of('\\');
    return separator == std::string_view::npos ? std::string_view() : relativePath.substr(0, separator);
}

std::string_view LastName(std::string_view relativePath)
{
    const std::size_t separator = relativePath.find_last_of('\\');
    return separator == std::string_view::npos ? relativePath : relativePath.substr(separator + 1);
}

std::string AppendPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    return folder + "\\" + name;
}
