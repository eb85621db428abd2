#include "platform/headless/BackgroundWork.h"

#include <algorithm>

namespace platform::headless {

struct BackgroundWork::Job {
    Work work;
    std::stop_source stop;
    bool abandoned = false;
};

class BackgroundWork::Handle : public IBackgroundJob {
public:
    explicit Handle(std::shared_ptr<Job> job) : job_(std::move(job)) {}
    ~Handle() override
    {
        job_->abandoned = true;
        job_->stop.request_stop();
    }

private:
    std::shared_ptr<Job> job_;
};

std::unique_ptr<IBackgroundJob> BackgroundWork::Start(Work work)
{
    ++started_;
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    auto handle = std::make_unique<Handle>(job);
    if (held_) {
        queue_.push_back(job);
    } else {
        int taken = 0;
        Run(job, taken);
    }
    return handle;
}

void BackgroundWork::Run(const std::shared_ptr<Job>& job, int& taken)
{
    if (job->abandoned)
        return;
    const Finish finish = job->work(job->stop.get_token());
    // The job may have been abandoned while its work ran (a test frees the source then).
    if (job->abandoned || !finish)
        return;
    finish();
    ++taken;
}

int BackgroundWork::RunPending()
{
    int taken = 0;
    while (!queue_.empty()) {
        const std::shared_ptr<Job> job = queue_.front();
        queue_.pop_front();
        Run(job, taken);
    }
    return taken;
}

std::size_t BackgroundWork::Queued() const
{
    return static_cast<std::size_t>(
        std::count_if(queue_.begin(), queue_.end(), [](const std::shared_ptr<Job>& job) { return !job->abandoned; }));
}

} // namespace platform::headless
