#pragma once
#include "platform/FolderWatches.h"

namespace platform::win32 {

// FindFirstChangeNotification on the tree (file and folder names only: creation,
// deletion, renaming), waited for by a helper thread that posts each report to a
// hidden window, so the handler runs on the user-interface thread from its message
// loop. The helper thread only waits and posts; it touches no state of the system.
class FolderWatches : public IFolderWatches {
public:
    std::unique_ptr<IFolderWatch> WatchTree(const std::string& folder, std::function<void()> onChange) override;
};

} // namespace platform::win32
