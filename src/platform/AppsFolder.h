#pragma once
#include <functional>
#include <stop_token>
#include <string>

namespace platform {

// One item of the shell's Applications folder, the list behind the Start menu's "All apps".
struct AppsFolderItem {
    std::string DisplayName; // what the shell shows
    // The item's name relative to the folder. For a packaged app it is the application
    // user model ID, "PackageFamilyName!AppId"; desktop programs have other names here.
    std::string ParsingName;

    bool operator==(const AppsFolderItem&) const = default;
};

class IAppsFolder {
public:
    virtual ~IAppsFolder() = default;
    // Calls onItem for each item, in the folder's order. Meant for a thread of its own:
    // it sets up whatever that thread needs. A system without the folder lists nothing
    // and raises nothing. Any other failure raises Exception, after the items listed
    // before it. A stop request ends the listing between two items.
    virtual void Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop) = 0;
    // Starts the app with this application user model ID through the shell. The
    // shell reports its own failures; nothing is raised.
    virtual void Activate(const std::string& appUserModelId) = 0;
};

} // namespace platform
