// The simulated kernel objects must behave as the real ones do where instance messaging
// relies on them; the same behaviour is checked against Windows in tests/win32.
#include <future>
#include <thread>

#include "SimulatorTest.h"

namespace {

using platform::IKernelEvent;
using platform::WaitResult;
using Wait = platform::EventWaitResult;
const Wait TimedOut = Wait::TimedOut();
Wait Taken(std::size_t index)
{
    return Wait::Taken(index);
}

class KernelObjectsTest : public SimulatorTest {
protected:
    std::unique_ptr<platform::IKernelMutex> Mutex(const std::string& name, bool* existed = nullptr)
    {
        auto made = sim.kernel.NewMutex(name, false);
        if (existed != nullptr)
            *existed = made.How == platform::MutexResult::Outcome::Existed;
        return std::move(made.Mutex);
    }
    platform::EventWaitResult WaitFor(IKernelEvent& event, std::uint32_t ms = 0)
    {
        IKernelEvent* const events[] = {&event};
        return sim.kernel.WaitForAny(events, ms);
    }
    // Runs on another thread, as another process would.
    template <class Work>
    static auto Elsewhere(Work work)
    {
        return std::async(std::launch::async, work).get();
    }
};

TEST_F(KernelObjectsTest, NamedObjectsAreSharedByNameUntilTheLastCloses)
{
    bool existed = true;
    auto first = Mutex("m", &existed);
    EXPECT_FALSE(existed);
    auto second = Mutex("m", &existed);
    EXPECT_TRUE(existed);

    auto block = sim.kernel.NewSharedMemory("b", 16).Block;
    block->View()[3] = 'x';
    EXPECT_EQ(sim.kernel.NewSharedMemory("b", 16).Block->View()[3], 'x');

    block.reset();
    EXPECT_FALSE(sim.kernel.Exists("b"));
    EXPECT_EQ(sim.kernel.NewSharedMemory("b", 16).Block->View()[3], '\0') << "a new block starts empty";
    first.reset();
    second.reset();
    Mutex("m", &existed);
    EXPECT_FALSE(existed);
}

TEST_F(KernelObjectsTest, AutomaticResetEventReleasesOneWaitPerSignal)
{
    auto event = sim.kernel.NewEvent("e", false, false);
    auto sameEvent = sim.kernel.NewEvent("e", false, false);
    EXPECT_EQ(WaitFor(*event), TimedOut);
    sameEvent->Set();
    sameEvent->Set(); // two signals with nobody waiting count as one
    EXPECT_EQ(WaitFor(*event), Taken(0));
    EXPECT_EQ(WaitFor(*event), TimedOut);
}

TEST_F(KernelObjectsTest, ManualResetAndUnnamedEvents)
{
    auto stop = sim.kernel.NewEvent("", true, false);
    auto other = sim.kernel.NewEvent("", true, false);
    stop->Set();
    EXPECT_EQ(WaitFor(*other), TimedOut) << "unnamed events are not shared";
    EXPECT_EQ(WaitFor(*stop), Taken(0));
    EXPECT_EQ(WaitFor(*stop), Taken(0)) << "a manual-reset event stays set";

    auto shared = sim.kernel.NewEvent("e", false, false);
    IKernelEvent* const both[] = {shared.get(), stop.get()};
    EXPECT_EQ(sim.kernel.WaitForAny(both, 0), Taken(1));
}

TEST_F(KernelObjectsTest, WaitsTimeOutOnlyWhenSimulatedTimePasses)
{
    auto event = sim.kernel.NewEvent("e", false, false);
    auto waiting = std::async(std::launch::async, [&] { return WaitFor(*event, 10000); });
    while (sim.kernel.WaitingFor("e") == 0)
        std::this_thread::yield();
    sim.kernel.AdvanceTime(9999);
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    sim.kernel.AdvanceTime(1);
    EXPECT_EQ(waiting.get(), TimedOut);
}

TEST_F(KernelObjectsTest, MutexExcludesOtherThreadsAndIsReentrantForItsOwner)
{
    auto mutex = Mutex("m");
    ASSERT_EQ(mutex->Wait(0), WaitResult::Obtained);
    ASSERT_EQ(mutex->Wait(0), WaitResult::Obtained);
    EXPECT_EQ(Elsewhere([&] { return Mutex("m")->Wait(0); }), WaitResult::TimedOut);
    mutex->Release();
    EXPECT_EQ(Elsewhere([&] { return Mutex("m")->Wait(0); }), WaitResult::TimedOut) << "taken twice";
    mutex->Release();
    EXPECT_EQ(Elsewhere([&] {
                  auto other = Mutex("m");
                  const WaitResult result = other->Wait(0);
                  other->Release();
                  return result;
              }),
              WaitResult::Obtained);
}

TEST_F(KernelObjectsTest, MutexOfAClosedOwnerIsAbandoned)
{
    auto mutex = Mutex("m");
    Elsewhere([&] {
        auto dying = Mutex("m");
        dying->Wait(0); // and closed while owned, as by a process that ends
        return 0;
    });
    EXPECT_EQ(mutex->Wait(0), WaitResult::Abandoned);
    mutex->Release();
    EXPECT_EQ(mutex->Wait(0), WaitResult::Obtained);
}

} // namespace
