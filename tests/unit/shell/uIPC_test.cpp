#include "shell/uIPC.h"

#include <algorithm>
#include <future>
#include <mutex>
#include <thread>

#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

using namespace std::chrono_literals;

class InstanceMessagingTest : public SimulatorTest {
protected:
    // The running instance: its receiver stands in for the main window.
    void StartRunning()
    {
        running.StartListening([this](const std::string& text) {
            std::lock_guard lock(receivedMutex);
            received.push_back(text);
        });
    }
    std::vector<std::string> Received()
    {
        std::lock_guard lock(receivedMutex);
        return received;
    }
    // Pumps the user-interface thread until the receiver has been handed `count` texts.
    void DeliverUntil(std::size_t count)
    {
        while (Received().size() < count)
            ASSERT_TRUE(sim.uiThread.RunNext()) << "no delivery came";
    }
    void WaitUntilListenerWaits()
    {
        while (sim.kernel.WaitingFor(TIpcNames{}.Event) == 0)
            std::this_thread::yield();
    }

    TInstanceMessaging running;
    std::mutex receivedMutex;
    std::vector<std::string> received;
};

TEST_F(InstanceMessagingTest, ArgumentsArriveWholeAndTheBlockIsLeftEmpty)
{
    StartRunning();
    TInstanceMessaging second;
    EXPECT_TRUE(second.SendCommandLine({"C:\\My Files\\a.txt", "-x"}));
    DeliverUntil(1);
    EXPECT_EQ(Received(), std::vector<std::string>{"C:\\My Files\\a.txt -x "});
    EXPECT_EQ(running.IpcBlock.ReadText(), "");
}

TEST_F(InstanceMessagingTest, WakeUpIsTheEmptyTextAndNoArgumentsSendNothing)
{
    StartRunning();
    TInstanceMessaging second;
    second.IpcBlock.WriteText("left by someone");
    EXPECT_FALSE(second.SendCommandLine({}));
    EXPECT_EQ(second.IpcBlock.ReadText(), "left by someone");
    second.IpcBlock.WriteText("");
    second.SendWakeUp();
    DeliverUntil(1);
    EXPECT_EQ(Received(), std::vector<std::string>{""});
}

TEST_F(InstanceMessagingTest, OverlongArgumentsArriveCutAtTheBlock)
{
    StartRunning();
    TInstanceMessaging second;
    second.SendCommandLine({std::string(3000, 'p')});
    DeliverUntil(1);
    EXPECT_EQ(Received().front(), std::string(2047, 'p'));
}

TEST_F(InstanceMessagingTest, TextsOfOneSenderAreNotReplacedBeforeTheyAreTaken)
{
    StartRunning();
    TInstanceMessaging second;
    second.SendCommandLine({"a.txt"});
    // The wake-up must wait until the arguments have been taken, not overwrite them.
    auto wakeUp = std::async(std::launch::async, [&] { second.SendWakeUp(); });
    DeliverUntil(2);
    wakeUp.get();
    EXPECT_EQ(Received(), (std::vector<std::string>{"a.txt ", ""}));
}

TEST_F(InstanceMessagingTest, SeveralSecondStartsAtOnceEachArriveOnce)
{
    StartRunning();
    const std::vector<std::string> arguments = {"one", "two", "three", "four", std::string(2046, 'L')};
    std::vector<std::future<void>> senders;
    for (const std::string& argument : arguments) {
        senders.push_back(std::async(std::launch::async, [argument] { TInstanceMessaging().SendCommandLine({argument}); }));
        senders.push_back(std::async(std::launch::async, [] { TInstanceMessaging().SendWakeUp(); }));
    }
    const auto texts = [this] {
        auto got = Received();
        got.erase(std::remove(got.begin(), got.end(), std::string()), got.end());
        return got;
    };
    while (texts().size() < arguments.size())
        ASSERT_TRUE(sim.uiThread.RunNext()) << "only " << texts().size() << " texts arrived";
    for (auto& sender : senders)
        sender.get();
    while (sim.uiThread.RunNext(200ms)) {
        // whatever is still signalled can only be empty texts now
    }
    auto got = texts();
    std::sort(got.begin(), got.end());
    std::vector<std::string> expected;
    for (const std::string& argument : arguments)
        expected.push_back(argument + " ");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
}

TEST_F(InstanceMessagingTest, InstanceWithoutReceiverLeavesTheTextForTheRunningOne)
{
    StartRunning();
    TInstanceMessaging exiting;
    TInstanceMessaging second;
    second.SendCommandLine({"x"});
    exiting.DeliverText();
    EXPECT_EQ(exiting.IpcBlock.ReadText(), "x ");
    DeliverUntil(1);
    EXPECT_EQ(Received(), std::vector<std::string>{"x "});
}

TEST_F(InstanceMessagingTest, ReceiverFailingDoesNotEndTheListening)
{
    bool failedOnce = false;
    running.StartListening([&](const std::string& text) {
        if (!std::exchange(failedOnce, true))
            throw Exception("the window could not come forward");
        std::lock_guard lock(receivedMutex);
        received.push_back(text);
    });
    TInstanceMessaging second;
    second.SendCommandLine({"first"});
    ASSERT_TRUE(sim.uiThread.RunNext());
    second.SendCommandLine({"second"});
    DeliverUntil(1);
    EXPECT_EQ(Received(), std::vector<std::string>{"second "});
}

TEST_F(InstanceMessagingTest, DeliveryThatTimesOutOnTheLockLosesNothing)
{
    StartRunning();
    TInstanceMessaging second;
    second.SendCommandLine({"first"});

    // Another instance holds the block's lock past the time-out.
    std::promise<void> release;
    auto held = std::make_shared<std::promise<void>>();
    auto isHeld = held->get_future();
    auto holding = std::async(std::launch::async, [&release, held] {
        TFileMapping other(TIpcNames{}.Block, IpcBlockSize);
        other.Lock();
        held->set_value();
        release.get_future().wait();
        other.Unlock();
    });
    isHeld.wait();
    auto delivering = std::async(std::launch::async, [this] { return sim.uiThread.RunNext(); });
    while (sim.kernel.WaitingFor(TIpcNames{}.Block + "-Mutex") == 0)
        std::this_thread::yield();
    sim.kernel.AdvanceTime(10000);
    EXPECT_TRUE(delivering.get());
    EXPECT_TRUE(Received().empty());
    release.set_value();
    holding.get();

    // The listener still runs, and the text it could not take is not overwritten.
    auto third = std::async(std::launch::async, [] { TInstanceMessaging().SendCommandLine({"second"}); });
    DeliverUntil(2);
    third.get();
    EXPECT_EQ(Received(), (std::vector<std::string>{"first ", "second "}));
}

TEST_F(InstanceMessagingTest, StoppingAWaitingListenerDoesNotWaitOutItsSlice)
{
    StartRunning();
    WaitUntilListenerWaits();
    // Simulated time stands still: a listener that only looked at the stop request after
    // its 10-second wait could never end here.
    auto stopping = std::async(std::launch::async, [this] { running.StopListening(); });
    const bool stopped = stopping.wait_for(10s) == std::future_status::ready;
    if (!stopped)
        sim.kernel.AdvanceTime(TIpcManager::WaitSlice);
    stopping.get();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(sim.kernel.TickCount(), 0u);
    EXPECT_FALSE(running.Listening());
}

TEST_F(InstanceMessagingTest, StoppingWithADeliveryQueuedNeitherHangsNorLosesTheText)
{
    StartRunning();
    TInstanceMessaging second;
    second.SendCommandLine({"pending"});
    while (sim.uiThread.Queued() == 0)
        std::this_thread::yield();
    // This thread plays the user-interface thread and does not pump while it stops.
    running.StopListening();
    EXPECT_EQ(sim.uiThread.RunPending(), 0) << "the queued delivery was withdrawn";
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(second.IpcBlock.ReadText(), "pending ");
}

TEST_F(InstanceMessagingTest, ListeningAgainAfterStopping)
{
    StartRunning();
    running.StopListening();
    StartRunning();
    TInstanceMessaging().SendWakeUp();
    DeliverUntil(1);
}

class IpcModuleTest : public SimulatorTest {
protected:
    ~IpcModuleTest() override { FinalizeIpc(); }
};

TEST_F(IpcModuleTest, ModuleUsesTheSystemsNamedObjectsAndFreesThem)
{
    InitializeIpc();
    EXPECT_TRUE(sim.kernel.Exists("zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}"));
    EXPECT_TRUE(sim.kernel.Exists("zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}-Mutex"));
    EXPECT_TRUE(sim.kernel.Exists("zephyrix-event{37D9B009-4ED3-4A8A-98DD-20847885273F}"));
    EXPECT_TRUE(SendCommandLine({"a.txt", "b.txt"}));
    EXPECT_EQ(Ipc().IpcBlock.ReadText(), "a.txt b.txt ");
    FinalizeIpc();
    EXPECT_FALSE(sim.kernel.Exists("zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}"));
    EXPECT_THROW(SendWakeUp(), std::logic_error);
}

TEST(CommandLineText, EachArgumentFollowedByOneBlankUnquoted)
{
    EXPECT_EQ(CommandLineText({"C:\\My Files\\a.txt", "-x"}), "C:\\My Files\\a.txt -x ");
    EXPECT_EQ(CommandLineText({""}), " ");
    EXPECT_EQ(CommandLineText({}), "");
}

} // namespace
