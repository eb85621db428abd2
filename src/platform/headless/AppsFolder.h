#pragma once
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/AppsFolder.h"

namespace platform::headless {

// An Applications folder that tests fill. The listing runs on whatever thread asks for
// it, so everything a test sets is guarded; what it records of the activations is not
// (they happen on the user-interface thread, as the test's own calls do).
class AppsFolder : public IAppsFolder {
public:
    void Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop) override;
    void Activate(const std::string& appUserModelId) override;

    void SetItems(std::vector<AppsFolderItem> items);
    // The listings from now on raise Exception(message) after that many items; nullopt lists all again.
    void FailAfter(std::optional<std::size_t> count, std::string message = "The folder went away");
    // While held, a listing waits before its first item until it is released or stopped.
    void Hold();
    void Release();
    // Listings begun so far, and whether one is waiting on the hold now.
    int Listings() const;
    bool Waiting() const;

    std::vector<std::string> Activated;
    // Runs inside an activation, as a real start may pump messages before it returns.
    std::function<void()> WhileActivating;

private:
    mutable std::mutex mutex_;
    std::condition_variable_any released_;
    std::vector<AppsFolderItem> items_;
    std::optional<std::size_t> failAfter_;
    std::string failure_;
    bool held_ = false;
    bool waiting_ = false;
    int listings_ = 0;
};

} // namespace platform::headless
