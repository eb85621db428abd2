#include "shell/SingleInstance.h"

#include "SimulatorTest.h"
#include "common/Exception.h"
#include "shell/uIPC.h"

namespace {

class SingleInstanceTest : public SimulatorTest {
protected:
    SingleInstanceTest() { InitializeIpc(); }
    ~SingleInstanceTest() override { FinalizeIpc(); }
};

TEST_F(SingleInstanceTest, SecondStartHoldsNoLockSoAStartAfterTheFirstEndsRunsAgain)
{
    TInstanceLock first;
    ASSERT_TRUE(first.CheckSingleInstance());
    EXPECT_TRUE(first.Held());

    TInstanceLock second;
    EXPECT_FALSE(second.CheckSingleInstance());
    EXPECT_FALSE(second.Held()) << "closed before the second start sends anything";

    // The first instance ends while the second is still sending.
    first.Release();
    EXPECT_FALSE(sim.kernel.Exists(InstanceLockName));
    TInstanceLock third;
    EXPECT_TRUE(third.CheckSingleInstance());
}

TEST_F(SingleInstanceTest, LockThatCannotBeCreatedCountsAsAnotherInstance)
{
    sim.kernel.FailNextMutex = true;
    TInstanceLock lock;
    EXPECT_FALSE(lock.CheckSingleInstance());
    EXPECT_FALSE(lock.Held());
}

TEST_F(SingleInstanceTest, SecondStartForwardsItsArgumentsOrElseOnlyTheWakeUpSignal)
{
    auto& kernel = platform::KernelObjects();
    auto watcher = kernel.NewEvent(TIpcNames{}.Event, false, false);
    platform::IKernelEvent* const events[] = {watcher.get()};

    ForwardToRunningInstance(Ipc(), {"C:\\a.txt"});
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::Taken(0));
    EXPECT_EQ(Ipc().IpcBlock.TakeText(), "C:\\a.txt ");

    ForwardToRunningInstance(Ipc(), {});
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::Taken(0));
    EXPECT_EQ(Ipc().IpcBlock.ReadText(), "") << "the wake-up writes nothing";
}

} // namespace

namespace {

TEST_F(SingleInstanceTest, LockOrMessagingObjectsOfAnotherUserAreReportedNotUsed)
{
    sim.kernel.ForeignNames.insert(InstanceLockName);
    TInstanceLock lock;
    try {
        lock.CheckSingleInstance();
        ADD_FAILURE() << "another account's lock was taken for a running instance";
    } catch (const platform::EForeignObject& error) {
        EXPECT_NE(std::string(error.what()).find("holds the program's lock"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(lock.Held());

    FinalizeIpc();
    for (const std::string& name : {TIpcNames{}.Block, TIpcNames{}.Block + "-Mutex", TIpcNames{}.Event}) {
        sim.kernel.ForeignNames = {name};
        try {
            InitializeIpc();
            ADD_FAILURE() << name << " was used";
        } catch (const platform::EForeignObject& error) {
            EXPECT_NE(std::string(error.what()).find("another account"), std::string::npos) << error.what();
        }
        FinalizeIpc();
    }
    sim.kernel.ForeignNames.clear();
}

} // namespace
