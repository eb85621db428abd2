#include "platform/UiThread.h"

namespace platform {

bool UiCall::Run()
{
    {
        std::lock_guard lock(mutex_);
        if (state_ != State::Queued)
            return false;
        state_ = State::Running;
    }
    std::exception_ptr error;
    try {
        work_();
    } catch (...) {
        // Carried back to the waiting thread: nothing may leave the user-interface
        // thread's message handling.
        error = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        error_ = error;
        state_ = State::Done;
    }
    changed_.notify_all();
    return true;
}

void UiCall::Withdraw()
{
    {
        std::lock_guard lock(mutex_);
        if (state_ == State::Queued)
            state_ = State::Withdrawn;
    }
    changed_.notify_all();
}

bool UiCall::Wait(std::stop_token stop)
{
    // A stop request must wake this wait; the callback runs on the requesting thread.
    std::stop_callback onStop(stop, [this] { Withdraw(); });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return state_ == State::Done || state_ == State::Withdrawn; });
    if (state_ == State::Withdrawn)
        return false;
    if (error_)
        std::rethrow_exception(error_);
    return true;
}

} // namespace platform
