#pragma once
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>

namespace platform {

// "Run this on the user-interface thread and wait": how another thread hands work to the
// thread that owns the windows.
class IUiThread {
public:
    virtual ~IUiThread() = default;
    // Queues work for the user-interface thread and waits until it has run there; an
    // exception it raised is raised again here. Returns false without running it when a
    // stop is requested, or the user-interface thread goes away, before it started.
    virtual bool RunAndWait(std::function<void()> work, std::stop_token stop) = 0;
};

// One queued call, shared by the waiting thread and the user-interface thread. A call is
// either run once or withdrawn, never both, so neither side can be left waiting.
class UiCall {
public:
    explicit UiCall(std::function<void()> work) : work_(std::move(work)) {}
    UiCall(const UiCall&) = delete;
    UiCall& operator=(const UiCall&) = delete;

    // On the user-interface thread: runs the work unless it was withdrawn; true when it ran.
    bool Run();
    // Makes sure the work never runs, unless it has started already.
    void Withdraw();
    // On the waiting thread: true once the work has run (raising what it raised), false
    // when it was withdrawn or the stop came before it started.
    bool Wait(std::stop_token stop);

private:
    enum class State { Queued, Running, Done, Withdrawn };
    std::function<void()> work_;
    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Queued;
    std::exception_ptr error_;
};

} // namespace platform
