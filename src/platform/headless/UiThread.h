#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/UiThread.h"

namespace platform::headless {

// The user-interface thread's queue of calls from other threads. Nothing runs until a test
// pumps it, from whichever thread plays the user-interface thread.
class UiThread : public IUiThread {
public:
    UiThread() = default;
    ~UiThread() override; // withdraws what is still queued, so no caller waits forever
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    bool RunAndWait(std::function<void()> work, std::stop_token stop) override;

    // Runs the calls queued now; returns how many.
    int RunPending();
    // Waits up to `limit` (real time, a guard against a test hanging) for a call and runs it.
    bool RunNext(std::chrono::milliseconds limit = std::chrono::seconds(10));
    std::size_t Queued() const;

private:
    std::shared_ptr<UiCall> Next(std::chrono::milliseconds limit);

    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::shared_ptr<UiCall>> calls_;
};

} // namespace platform::headless
