#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One named change in a watched folder. A rename gives two: the old name, then the new.
struct FolderChange {
    enum class Action { Added, Removed, RenamedFrom, RenamedTo };
    Action What = Action::Added;
    // Whether the name is a folder's (a watch tells files and folders apart).
    bool IsFolder = false;
    // Relative to the watched folder, "\" between the names: "Tools\Notepad.lnk".
    std::string Path;
};

// What one report carries. When changes were lost (more than the watch could hold),
// Lost is set and the names may be incomplete: only a fresh look at the folder tells
// what it holds now.
struct FolderChanges {
    bool Lost = false;
    std::vector<FolderChange> Changes;
};

// A watch on a folder; watching stops when it is destroyed, and no report reaches the
// handler after that.
class IFolderWatch {
public:
    virtual ~IFolderWatch() = default;
};

// Change notification with names. Only the creation, deletion and renaming of files and
// folders is reported; changes of contents or attributes are not. Each report calls the
// handler on the user-interface thread, from the message loop, never from inside the call
// that made the watch. Both throw Exception("Invalid folder") when the folder cannot be watched.
class IFolderWatches {
public:
    using Handler = std::function<void(const FolderChanges& changes)>;
    virtual ~IFolderWatches() = default;
    // The folder and everything below it, files and folders.
    virtual std::unique_ptr<IFolderWatch> WatchTree(const std::string& folder, Handler onChanges) = 0;
    // The folders directly in this folder, nothing below them and no files.
    virtual std::unique_ptr<IFolderWatch> WatchFolderNames(const std::string& folder, Handler onChanges) = 0;
};

} // namespace platform
