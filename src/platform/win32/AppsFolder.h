#pragma once
#include <windows.h>
#include <shobjidl.h>

#include "platform/AppsFolder.h"

namespace platform::win32 {

class AppsFolder : public IAppsFolder {
public:
    void Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop) override;
    void Activate(const std::string& appUserModelId) override;
};

// The items of any shell folder with their parsing and display names, in the folder's
// order; an item whose parsing name cannot be read is passed over. COM must be up on
// the calling thread. Raises Exception when the folder cannot be listed.
void ListShellFolder(IShellItem& folder, const std::function<void(const AppsFolderItem&)>& onItem,
                     std::stop_token stop);

} // namespace platform::win32
