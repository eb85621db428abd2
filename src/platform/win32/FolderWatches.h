#pragma once
#include "platform/FolderWatches.h"

namespace platform::win32 {

// ReadDirectoryChangesW, overlapped, on one directory handle per kind of name (files,
// folders), so that each change arrives with its name and kind. A helper thread waits
// for the reads to complete and queues what they report; a hidden window of the
// user-interface thread then hands it to the handler from the message loop. The helper
// thread touches no state of the system.
class FolderWatches : public IFolderWatches {
public:
    std::unique_ptr<IFolderWatch> WatchTree(const std::string& folder, Handler onChanges) override;
    std::unique_ptr<IFolderWatch> WatchFolderNames(const std::string& folder, Handler onChanges) override;
};

} // namespace platform::win32
