#include "platform/headless/AppsFolder.h"

#include "common/Exception.h"

namespace platform::headless {

void AppsFolder::Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop)
{
    std::vector<AppsFolderItem> items;
    std::optional<std::size_t> failAfter;
    std::string failure;
    {
        std::unique_lock lock(mutex_);
        ++listings_;
        waiting_ = held_;
        released_.wait(lock, stop, [this] { return !held_; });
        waiting_ = false;
        items = items_;
        failAfter = failAfter_;
        failure = failure_;
    }
    for (std::size_t index = 0; index <= items.size(); ++index) {
        if (stop.stop_requested())
            return;
        if (failAfter && *failAfter == index)
            throw Exception(failure);
        if (index < items.size())
            onItem(items[index]);
    }
}

void AppsFolder::Activate(const std::string& appUserModelId)
{
    Activated.push_back(appUserModelId);
    if (WhileActivating)
        WhileActivating();
}

void AppsFolder::SetItems(std::vector<AppsFolderItem> items)
{
    std::lock_guard lock(mutex_);
    items_ = std::move(items);
}

void AppsFolder::FailAfter(std::optional<std::size_t> count, std::string message)
{
    std::lock_guard lock(mutex_);
    failAfter_ = count;
    failure_ = std::move(message);
}

void AppsFolder::Hold()
{
    std::lock_guard lock(mutex_);
    held_ = true;
}

void AppsFolder::Release()
{
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    released_.notify_all();
}

int AppsFolder::Listings() const
{
    std::lock_guard lock(mutex_);
    return listings_;
}

bool AppsFolder::Waiting() const
{
    std::lock_guard lock(mutex_);
    return waiting_;
}

} // namespace platform::headless
