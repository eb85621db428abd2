#pragma once
#include <functional>
#include <memory>
#include <stop_token>

namespace platform {

// Work started on another thread; destroying the job abandons it.
class IBackgroundJob {
public:
    virtual ~IBackgroundJob() = default;
};

// Long work (walking a folder tree) kept off the user-interface thread. The work runs on
// its own thread and touches nothing of the user-interface thread's: it gets a stop token
// and returns what is to be done with its result, which then runs on the user-interface
// thread from the message loop. Destroying the job (on the user-interface thread) asks
// the work to stop, waits until it has, and makes sure its result is never taken; the
// result of a job destroyed while it is being taken still finishes. Neither part may throw.
class IBackgroundWork {
public:
    using Finish = std::function<void()>;
    using Work = std::function<Finish(std::stop_token stop)>;
    virtual ~IBackgroundWork() = default;
    virtual std::unique_ptr<IBackgroundJob> Start(Work work) = 0;
};

} // namespace platform
