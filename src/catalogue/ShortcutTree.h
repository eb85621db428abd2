#pragma once
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// What one folder of a scanned tree holds for the catalogue: plain data, made by the
// walks off the user-interface thread and kept by the folder source between changes.
struct TShortcutFolder {
    std::string Name; // as listed
    // Names matching *.LNK and *.URL, in listing order (a folder whose name matches counts too).
    std::vector<std::string> Links;
    std::vector<std::string> Urls;
    // The sub-folders the scan enters (those not hidden), in listing order.
    std::vector<TShortcutFolder> Folders;
    // In a listing of one folder: a sub-folder already known, whose contents were not listed.
    bool Known = false;
};

// Lists one folder: its shortcut names and its sub-folders, the sub-folders' contents
// unlisted. A folder that cannot be listed (gone, denied) holds nothing.
TShortcutFolder ListShortcutFolder(const std::string& path);

// Lists the folder and, depth-first, every sub-folder the scan enters. False when the
// stop came first: the tree is then incomplete.
bool WalkShortcutTree(const std::string& path, TShortcutFolder& folder, const std::stop_token& stop);

// Appends the full paths of the tree's shortcuts in the catalogue's order: every .LNK
// of the whole tree, then every .URL; in each group a folder's own before its
// sub-folders', sub-folders depth-first in listing order.
void AppendShortcutPaths(const std::string& path, const TShortcutFolder& tree, std::vector<std::string>& paths);

// The sub-folder of that name in any letter case, or null.
TShortcutFolder* FindSubfolder(TShortcutFolder& folder, std::string_view name);
// The folder at a path relative to the root ("" is the root itself), or null.
TShortcutFolder* FindShortcutFolder(TShortcutFolder& root, std::string_view relativePath);

// Names in a relative path, "\" between them.
std::string_view ParentPath(std::string_view relativePath);
std::string_view LastName(std::string_view relativePath);
std::string AppendPath(const std::string& folder, const std::string& name);
bool SameName(std::string_view a, std::string_view b);
