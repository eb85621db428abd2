#include "shell/uIPC.h"

#include <algorithm>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "HoldLockElsewhere.h"
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
        ASSERT_TRUE(Eventually([this] { return sim.kernel.WaitingFor(TIpcNames{}.Event) > 0; }))
            << "the listener never waited for the new-text event";
    }
    // Whether the condition came true within a few seconds of real time: a broken
    // protocol fails the test with its reason instead of hanging it.
    static bool Eventually(const std::function<bool()>& condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::yield();
        }
        return true;
    }
    static std::future<void> HoldLockElsewhere(std::promise<void>& release)
    {
        return ::HoldLockElsewhere(TIpcNames{}.Block, IpcBlockSize, release);
    }
    static std::string BlockLock() { return TIpcNames{}.Block + "-Mutex"; }

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

TEST_F(InstanceMessagingTest, TextsUpToTheBlockArriveWholeLongerOnesCut)
{
    StartRunning();
    TInstanceMessaging second;
    second.SendCommandLine({std::string(2047, 'w')}); // with its blank, 2048
    DeliverUntil(1);
    second.SendCommandLine({std::string(3000, 'p')});
    DeliverUntil(2);
    EXPECT_EQ(Received()[0], std::string(2047, 'w') + " ");
    EXPECT_EQ(Received()[1], std::string(2048, 'p'));
}

TEST_F(InstanceMessagingTest, WakeUpNeverReplacesAPendingText)
{
    TInstanceMessaging second;
    TInstanceMessaging third;
    second.SendCommandLine({"a.txt"});
    // Nobody takes texts for a while; a wake-up that waited for the block would give
    // up after the lock's time-out and write its empty text over the arguments.
    auto wakeUp = std::async(std::launch::async, [&] { third.SendWakeUp(); });
    ASSERT_TRUE(Eventually([&] {
        sim.kernel.AdvanceTime(1000);
        return wakeUp.wait_for(1ms) == std::future_status::ready;
    })) << "the wake-up never returned";
    wakeUp.get();
    EXPECT_EQ(running.IpcBlock.ReadText(), "a.txt ");
    StartRunning();
    DeliverUntil(1);
    EXPECT_EQ(Received().front(), "a.txt ");
}

TEST_F(InstanceMessagingTest, SenderReplacesATextNobodyTookAfterTheLocksTimeOut)
{
    // No instance takes texts (one that ended, say): the old text does not block forever.
    TInstanceMessaging left;
    left.IpcBlock.WriteText("old ");
    TInstanceMessaging second;
    auto sending = std::async(std::launch::async, [&] { second.SendCommandLine({"new"}); });
    ASSERT_TRUE(Eventually([&] {
        sim.kernel.AdvanceTime(1000);
        return sending.wait_for(1ms) == std::future_status::ready;
    })) << "the sender never gave up waiting";
    sending.get();
    EXPECT_GE(sim.kernel.TickCount(), 10000u) << "it waited out the lock's time-out first";
    EXPECT_EQ(left.IpcBlock.ReadText(), "new ");
}

TEST_F(InstanceMessagingTest, TextIsTakenOnTheListenerThreadNotTheUserInterfaceThread)
{
    StartRunning();
    running.IpcBlock.WriteText("held up ");
    std::promise<void> release;
    auto holding = HoldLockElsewhere(release);
    TInstanceMessaging().SendWakeUp();
    // A holder of the lock must not freeze the window: the listener waits for it, and
    // nothing reaches the user-interface thread until the text is in hand.
    ASSERT_TRUE(Eventually([&] { return sim.kernel.WaitingFor(BlockLock()) > 0 || sim.uiThread.Queued() > 0; }))
        << "the signal was not taken";
    EXPECT_EQ(sim.uiThread.Queued(), 0u);
    EXPECT_EQ(sim.kernel.WaitingFor(BlockLock()), 1);
    release.set_value();
    holding.get();
    DeliverUntil(1);
    EXPECT_EQ(Received(), std::vector<std::string>{"held up "});
}

TEST_F(InstanceMessagingTest, ListenerWhoseWaitsFailEndsInsteadOfSpinning)
{
    sim.kernel.FailWaits = true;
    StartRunning();
    ASSERT_TRUE(Eventually([this] { return running.IpcListener->Ended(); })) << "the listener kept waiting";
    EXPECT_EQ(sim.kernel.WaitsForAny, 1);
    sim.kernel.FailWaits = false;
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
    // A sender whose text is never taken would wait for simulated time that stands still.
    for (auto& sender : senders)
        ASSERT_TRUE(Eventually([&] { return sender.wait_for(1ms) == std::future_status::ready; }))
            << "a sender never finished";
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

TEST_F(InstanceMessagingTest, TakingThatTimesOutOnTheLockLosesNothing)
{
    StartRunning();
    running.IpcBlock.WriteText("first ");

    // Another instance holds the block's lock past the time-out.
    std::promise<void> release;
    auto holding = HoldLockElsewhere(release);
    TInstanceMessaging().SendWakeUp();
    ASSERT_TRUE(Eventually([this] { return sim.kernel.WaitingFor(BlockLock()) > 0; })) << "nobody took the signal";
    sim.kernel.AdvanceTime(10000);
    ASSERT_TRUE(Eventually([this] { return sim.kernel.WaitingFor(TIpcNames{}.Event) > 0; }))
        << "the listener did not go back to waiting";
    EXPECT_EQ(sim.uiThread.Queued(), 0u);
    release.set_value();
    holding.get();

    // The listener still runs, and the text it could not take is not overwritten.
    auto third = std::async(std::launch::async, [] { TInstanceMessaging().SendCommandLine({"second"}); });
    DeliverUntil(2);
    ASSERT_TRUE(Eventually([&] { return third.wait_for(1ms) == std::future_status::ready; }))
        << "the third start never finished sending";
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
    ASSERT_TRUE(Eventually([this] { return sim.uiThread.Queued() > 0; })) << "no delivery was queued";
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
