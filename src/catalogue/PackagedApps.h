#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/uProgramInfo.h"
#include "catalogue/ShortcutDataSource.h"
#include "platform/AppsFolder.h"

class TAbbrevInfos;
namespace platform {
class ITimer;
class IUiThread;
} // namespace platform

// One packaged app (Calculator, Settings, a Store app). Its Path, the key of its learned
// abbreviation, is "shell:AppsFolder\" followed by the app's user model ID: the ID names
// the package family, not a version, so it stays the same when the app is updated.
class TPackagedAppItem : public TProgramInfo {
public:
    TPackagedAppItem(const std::string& appUserModelId, const std::string& displayName);

    std::string AppUserModelId;

    void Launch() override;
};

// True for an application user model ID of a packaged app: "Name_PublisherId!AppId".
bool IsApplicationUserModelId(const std::string& text);

// The packaged apps of the shell's Applications folder. Package installs raise no event
// that could be watched, so the folder is listed again when the main window is called
// up and the last listing began more than a minute ago. Listing runs on a thread of
// its own; the entries change only on the user-interface thread, then OnChange is raised.
class TPackagedAppsFolder : public TShortcutDataSource {
public:
    static constexpr unsigned StaleAfterMs = 60000;
    static constexpr const char* PathPrefix = "shell:AppsFolder\\";

    // Starts the first listing; the source is empty until it has been delivered.
    explicit TPackagedAppsFolder(TAbbrevInfos& abbreviations);
    // Stops a listing that is still running and waits for its thread.
    ~TPackagedAppsFolder() override;

    void FillList(TItemList& list) override;
    void WindowCalledUp() override;

    // A listing has begun and its thread has not finished yet.
    bool Listing() const { return listing_; }

    // Raised on the user-interface thread after a listing changed the entries; may be unset.
    std::function<void(TShortcutDataSource& sender)> OnChange;
    // In the folder's order.
    std::vector<std::unique_ptr<TPackagedAppItem>> Entries;

private:
    struct TListing {
        std::vector<platform::AppsFolderItem> Apps; // the packaged ones only
        std::optional<std::string> Error;
    };

    void StartListing();
    // The listing's thread: compares with what the entries were made from when it began.
    void ListOnThisThread(const std::vector<platform::AppsFolderItem>& known, bool reportErrors, std::stop_token stop);
    // On the user-interface thread, as all that follows.
    void ReportFailure(const std::string& message);
    void ListingDone(TListing listing);
    void MakeEntries(const std::vector<platform::AppsFolderItem>& apps);

    TAbbrevInfos& Abbreviations;
    platform::IAppsFolder& Folder_;
    platform::IUiThread& UiThread_;
    std::unique_ptr<platform::ITimer> StaleTimer_;
    bool stale_ = false;
    bool listedInFull_ = false;
    bool errorReported_ = false;
    bool delivered_ = false; // the running listing has reached ListingDone
    std::vector<platform::AppsFolderItem> listed_; // what Entries were made from
    std::atomic<bool> listing_ = false;
    // Last: stopped and joined before anything it uses goes.
    std::jthread Worker_;
};
