#include "platform/headless/UiThread.h"

namespace platform::headless {

UiThread::~UiThread()
{
    std::lock_guard lock(mutex_);
    for (const auto& call : calls_)
        call->Withdraw();
}

bool UiThread::RunAndWait(std::function<void()> work, std::stop_token stop)
{
    auto call = std::make_shared<UiCall>(std::move(work));
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
    }
    queued_.notify_all();
    return call->Wait(stop);
}

int UiThread::RunPending()
{
    int ran = 0;
    while (auto call = Next(std::chrono::milliseconds::zero())) {
        if (call->Run())
            ++ran;
    }
    return ran;
}

bool UiThread::RunNext(std::chrono::milliseconds limit)
{
    // Withdrawn calls stay queued until a pump throws them away.
    while (auto call = Next(limit)) {
        if (call->Run())
            return true;
    }
    return false;
}

std::size_t UiThread::Queued() const
{
    std::lock_guard lock(mutex_);
    return calls_.size();
}

std::shared_ptr<UiCall> UiThread::Next(std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    if (!queued_.wait_for(lock, limit, [this] { return !calls_.empty(); }))
        return nullptr;
    auto call = calls_.front();
    calls_.pop_front();
    return call;
}

} // namespace platform::headless
