#pragma once
#include <functional>
#include <memory>
#include <string>

namespace platform {

// A watch on a folder tree; watching stops when it is destroyed.
class IFolderWatch {
public:
    virtual ~IFolderWatch() = default;
};

// Change notification on folder trees.
class IFolderWatches {
public:
    virtual ~IFolderWatches() = default;
    // Watches the folder and all its sub-folders for the creation, deletion and renaming
    // of files and folders; changes of contents or attributes are not reported. Each
    // report calls onChange on the user-interface thread, from the message loop, never
    // from inside this call. Throws Exception("Invalid folder") when the folder cannot
    // be watched.
    virtual std::unique_ptr<IFolderWatch> WatchTree(const std::string& folder, std::function<void()> onChange) = 0;
};

} // namespace platform
