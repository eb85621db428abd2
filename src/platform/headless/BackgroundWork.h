#pragma once
#include <deque>
#include <memory>

#include "platform/BackgroundWork.h"

namespace platform::headless {

// Background work on the simulator, on the test's own thread so that runs stay exact.
// By default a job runs to its end inside Start, its result taken at once. A test that
// holds the jobs gets them queued instead, and runs them with RunPending, which is the
// moment "the other thread" lists and the user-interface thread takes the result.
class BackgroundWork : public IBackgroundWork {
public:
    std::unique_ptr<IBackgroundJob> Start(Work work) override;

    void Hold() { held_ = true; }
    // Runs the queued jobs (and those they start) in order, each's work then its result;
    // returns how many results were taken. Does not release the hold.
    int RunPending();
    std::size_t Queued() const;
    std::size_t Started() const { return started_; }

private:
    struct Job;
    class Handle;
    void Run(const std::shared_ptr<Job>& job, int& taken);

    bool held_ = false;
    std::deque<std::shared_ptr<Job>> queue_;
    std::size_t started_ = 0;
};

} // namespace platform::headless
