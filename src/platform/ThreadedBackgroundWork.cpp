#include "platform/ThreadedBackgroundWork.h"

#include <atomic>
#include <thread>

#include "platform/Platform.h"

namespace platform {

namespace {

// Shared by the job's thread and the job object: whichever lives longer keeps it.
struct JobState {
    std::atomic<bool> finishing{false};
};

class ThreadedJob : public IBackgroundJob {
public:
    ThreadedJob(IBackgroundWork::Work work, IUiThread& uiThread)
        : state_(std::make_shared<JobState>()),
          thread_([state = state_, work = std::move(work), &uiThread](std::stop_token stop) {
              IBackgroundWork::Finish finish;
              try {
                  finish = work(stop);
              } catch (...) {
                  return; // the work promises not to throw; should it, nothing is taken
              }
              if (stop.stop_requested() || !finish)
                  return;
              try {
                  // Waits until the user-interface thread has taken the result, or the job
                  // is abandoned first: then the call is withdrawn and never runs.
                  uiThread.RunAndWait(
                      [&] {
                          state->finishing = true;
                          finish();
                          state->finishing = false;
                      },
                      stop);
              } catch (...) {
              }
          })
    {
    }

    ~ThreadedJob() override
    {
        thread_.request_stop();
        // Destroyed from inside its own result (the user-interface thread is running it):
        // the thread waits for that very call to end, so it is left to end by itself.
        if (state_->finishing)
            thread_.detach();
        // Otherwise the jthread joins: the work has seen the stop, or the result was withdrawn.
    }

private:
    std::shared_ptr<JobState> state_;
    std::jthread thread_;
};

} // namespace

std::unique_ptr<IBackgroundJob> ThreadedBackgroundWork::Start(Work work)
{
    return std::make_unique<ThreadedJob>(std::move(work), UiThread());
}

} // namespace platform
