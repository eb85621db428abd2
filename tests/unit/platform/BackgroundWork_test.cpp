// The threaded background work, with real threads against the simulator's queue of
// calls for the user-interface thread. Run under AddressSanitizer too.
#include "platform/ThreadedBackgroundWork.h"

#include <atomic>
#include <memory>
#include <thread>

#include "SimulatorTest.h"

namespace {

using Finish = platform::IBackgroundWork::Finish;

class ThreadedBackgroundWorkTest : public SimulatorTest {
protected:
    platform::ThreadedBackgroundWork work;
    std::unique_ptr<platform::IBackgroundJob> job;
    int finished = 0;
};

TEST_F(ThreadedBackgroundWorkTest, WorkRunsApartAndItsResultIsTakenOnTheUserInterfaceThread)
{
    std::thread::id workedOn;
    std::thread::id finishedOn;
    job = work.Start([&](std::stop_token) -> Finish {
        workedOn = std::this_thread::get_id();
        return [&] {
            finishedOn = std::this_thread::get_id();
            ++finished;
        };
    });
    ASSERT_TRUE(sim.uiThread.RunNext());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(finishedOn, std::this_thread::get_id());
    EXPECT_NE(workedOn, finishedOn);
}

TEST_F(ThreadedBackgroundWorkTest, AnAbandonedJobNeverFinishesWhereverItStood)
{
    // Abandoned while working: the work sees the stop and its result is dropped.
    std::atomic<bool> started{false};
    auto target = std::make_unique<int>(0); // freed right after: touching it would be caught
    job = work.Start([&started, target = target.get()](std::stop_token stop) -> Finish {
        started = true;
        while (!stop.stop_requested())
            std::this_thread::yield();
        return [target] { ++*target; };
    });
    while (!started)
        std::this_thread::yield();
    job.reset();
    target.reset();
    EXPECT_EQ(sim.uiThread.RunPending(), 0);

    // Abandoned while its result waits for the user-interface thread: withdrawn.
    job = work.Start([&](std::stop_token) -> Finish { return [&] { ++finished; }; });
    while (sim.uiThread.Queued() == 0)
        std::this_thread::yield();
    job.reset();
    EXPECT_EQ(sim.uiThread.RunPending(), 0);
    EXPECT_EQ(finished, 0);

    // Freed from inside its own result: the result still finishes, nothing waits forever.
    job = work.Start([&](std::stop_token) -> Finish {
        return [&] {
            job.reset();
            ++finished;
        };
    });
    ASSERT_TRUE(sim.uiThread.RunNext());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(job, nullptr);
}

} // namespace
