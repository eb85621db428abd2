// The simulated kernel objects behave as the real ones do where instance messaging relies
// on them: the contract suite holds both to the same assertions (also under Wine).
#include <future>
#include <thread>

#include "KernelObjectsContract.h"
#include "SimulatedPlatform.h"
#include "SimulatorTest.h"

namespace contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Kernel, KernelObjectsContract, SimulatedPlatform, BackendNames);

} // namespace contract

namespace {

using Wait = platform::EventWaitResult;

using KernelObjectsTest = SimulatorTest;

TEST_F(KernelObjectsTest, ANameIsGoneWithItsLastHandle)
{
    auto block = sim.kernel.NewSharedMemory("b", 16).Block;
    EXPECT_TRUE(sim.kernel.Exists("b"));
    block.reset();
    EXPECT_FALSE(sim.kernel.Exists("b"));
}

TEST_F(KernelObjectsTest, WaitsTimeOutOnlyWhenSimulatedTimePasses)
{
    auto event = sim.kernel.NewEvent("e", false, false);
    platform::IKernelEvent* const events[] = {event.get()};
    auto waiting = std::async(std::launch::async, [&] { return sim.kernel.WaitForAny(events, 10000); });
    while (sim.kernel.WaitingFor("e") == 0)
        std::this_thread::yield();
    sim.kernel.AdvanceTime(9999);
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    sim.kernel.AdvanceTime(1);
    EXPECT_EQ(waiting.get(), Wait::TimedOut());
}

} // namespace
