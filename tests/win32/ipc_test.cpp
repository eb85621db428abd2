// Instance messaging against the real kernel objects: the test process is the running
// instance, the helper program ipc_send is a second start in a process of its own.
#include "shell/uIPC.h"

#include <algorithm>
#include <functional>
#include <initializer_list>

#include "Win32Test.h"
#include "common/Exception.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::win32::UniqueKernelHandle;

// Runs this thread's messages, as the application's loop does, until done or the time runs out.
bool PumpUntil(const std::function<bool()>& done, unsigned milliseconds = 15000)
{
    return platform::win32::PumpMessagesUntil(done, milliseconds);
}

class InstanceMessagingContract : public Win32Test {
protected:
    // Names of this test process's own, so that tests running side by side do not meet.
    static TIpcNames TestNames()
    {
        const std::string id = std::to_string(GetCurrentProcessId());
        return {"zx-test-ipc-" + id, "zx-test-event-" + id};
    }

    void StartRunning()
    {
        running.StartListening([this](const std::string& text) { received.push_back(text); });
    }

    struct Helper {
        UniqueKernelHandle process;
        std::string report;
    };
    Helper StartHelper(const std::string& command, std::initializer_list<std::string> arguments = {})
    {
        static int started = 0;
        Helper helper;
        helper.report = Scratch("report" + std::to_string(++started) + ".txt");
        std::string line = '"' + ProgramFolder() + "\\ipc_send.exe\"";
        for (const std::string& part : {names.Block, names.Event, '"' + helper.report + '"', command})
            line += " " + part;
        for (const std::string& argument : arguments)
            line += " " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            ADD_FAILURE() << "cannot start " << line;
            return helper;
        }
        CloseHandle(info.hThread);
        helper.process.Reset(info.hProcess);
        return helper;
    }
    // Its exit code, pumping meanwhile: a sender may be waiting for this instance to take a text.
    static DWORD Finish(const Helper& helper)
    {
        if (!PumpUntil([&] { return WaitForSingleObject(helper.process.Get(), 0) == WAIT_OBJECT_0; }))
            return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(helper.process.Get(), &code);
        return code;
    }
    bool Receive(std::size_t count)
    {
        return PumpUntil([&] { return received.size() >= count; });
    }

    const TIpcNames names = TestNames();
    TInstanceMessaging running{names};
    std::vector<std::string> received;
};

TEST_F(InstanceMessagingContract, CommandLineOfASecondStartArrivesWhole)
{
    StartRunning();
    const Helper second = StartHelper("send", {"\"C:\\My Files\\a.txt\"", "-x"});
    ASSERT_TRUE(Receive(1));
    EXPECT_EQ(received, std::vector<std::string>{"C:\\My Files\\a.txt -x "});
    EXPECT_EQ(Finish(second), 0u);
    EXPECT_EQ(ReadFile(second.report), "ok");
    EXPECT_EQ(running.IpcBlock.ReadText(), "") << "the text was taken";
}

TEST_F(InstanceMessagingContract, SecondStartWithoutArgumentsSendsTheWakeUp)
{
    StartRunning();
    const Helper second = StartHelper("send");
    ASSERT_TRUE(Receive(1));
    EXPECT_EQ(received, std::vector<std::string>{""});
    EXPECT_EQ(Finish(second), 0u);
}

TEST_F(InstanceMessagingContract, TextsUpToTheBlockArriveWholeLongerOnesCut)
{
    StartRunning();
    EXPECT_EQ(Finish(StartHelper("send", {std::string(2047, 'a')})), 0u);
    EXPECT_EQ(Finish(StartHelper("send", {std::string(3000, 'b')})), 0u);
    ASSERT_TRUE(Receive(2));
    EXPECT_EQ(received[0], std::string(2047, 'a') + " ") << "2048 characters arrive whole";
    EXPECT_EQ(received[1], std::string(2048, 'b'));
}

TEST_F(InstanceMessagingContract, UnicodeArgumentOfASecondStartArrivesWhole)
{
    StartRunning();
    // "C:\Ελληνικά\Café Ünïcödé 日本.txt", in the process's code page (UTF-8).
    const std::string path = "C:\\\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC\\Caf\xC3\xA9 "
                             "\xC3\x9Cn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.txt";
    const Helper second = StartHelper("send", {'"' + path + '"'});
    ASSERT_TRUE(Receive(1));
    EXPECT_EQ(received, std::vector<std::string>{path + " "});
    EXPECT_EQ(Finish(second), 0u);
}

TEST_F(InstanceMessagingContract, LongUnicodeTextIsCutAtAWholeCharacter)
{
    StartRunning();
    std::string japanese;
    for (int i = 0; i < 1000; ++i)
        japanese += "\xE6\x97\xA5"; // 3000 bytes
    EXPECT_EQ(Finish(StartHelper("send", {japanese})), 0u);
    ASSERT_TRUE(Receive(1));
    EXPECT_EQ(received[0], japanese.substr(0, 682 * 3)) << "682 whole characters fit in 2048 bytes";
}

TEST_F(InstanceMessagingContract, SeveralSecondStartsAtOnceEachArriveOnce)
{
    StartRunning();
    std::vector<Helper> starts;
    for (const char* argument : {"one", "two", "three", "four", "five"})
        starts.push_back(StartHelper("send", {argument}));
    starts.push_back(StartHelper("send"));
    for (const Helper& start : starts)
        EXPECT_EQ(Finish(start), 0u) << ReadFile(start.report);
    PumpUntil([] { return false; }, 300); // let a last signal be delivered
    std::vector<std::string> texts;
    std::copy_if(received.begin(), received.end(), std::back_inserter(texts), [](auto& t) { return !t.empty(); });
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"five ", "four ", "one ", "three ", "two "}));
}

TEST_F(InstanceMessagingContract, SenderWaitsWhileAnotherHoldsTheLock)
{
    StartRunning();
    TFileMapping holder(names.Block, IpcBlockSize);
    holder.Lock();
    const Helper second = StartHelper("send", {"held"});
    Sleep(500); // not pumping: this thread holds the lock and would take it again
    EXPECT_EQ(WaitForSingleObject(second.process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(running.IpcBlock.ReadText(), "") << "written without the lock";
    holder.Unlock();
    ASSERT_TRUE(Receive(1));
    EXPECT_EQ(received, std::vector<std::string>{"held "});
    EXPECT_EQ(Finish(second), 0u);
}

TEST_F(InstanceMessagingContract, SenderGivesUpWhenTheLockIsHeldPastItsTimeOut)
{
    running.IpcBlock.WriteText("kept");
    TFileMapping holder(names.Block, IpcBlockSize);
    holder.Lock();
    const Helper second = StartHelper("send-within", {"300", "late"});
    EXPECT_EQ(Finish(second), 1u);
    EXPECT_EQ(ReadFile(second.report), "Unable to acquire lock!");
    holder.Unlock();
    EXPECT_EQ(running.IpcBlock.ReadText(), "kept");
}

TEST_F(InstanceMessagingContract, LockOfAProcessThatEndedHoldingItIsObtained)
{
    const Helper dying = StartHelper("lock-and-exit");
    EXPECT_EQ(Finish(dying), 0u);
    EXPECT_EQ(ReadFile(dying.report), "ok");
    running.IpcBlock.WriteText("after");
    EXPECT_EQ(running.IpcBlock.ReadText(), "after");
}

TEST_F(InstanceMessagingContract, StoppingWithADeliveryQueuedKeepsTheTextAndReturns)
{
    StartRunning();
    const Helper second = StartHelper("send", {"pending"});
    ASSERT_TRUE(WaitForSingleObject(second.process.Get(), 15000) == WAIT_OBJECT_0);
    // Wait, without dispatching, until the listener's call is queued for this thread.
    const ULONGLONG deadline = GetTickCount64() + 15000;
    while (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) == 0 && GetTickCount64() < deadline)
        Sleep(10);
    ASSERT_NE(HIWORD(GetQueueStatus(QS_POSTMESSAGE)), 0) << "the listener queued no delivery";
    running.StopListening(); // would never return if it waited for this thread to deliver
    EXPECT_FALSE(running.Listening());
    PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(running.IpcBlock.ReadText(), "pending ");
}

TEST_F(InstanceMessagingContract, StoppingAWaitingListenerDoesNotWaitOutItsSlice)
{
    StartRunning();
    Sleep(200); // the listener is in its wait now
    const ULONGLONG started = GetTickCount64();
    running.StopListening();
    EXPECT_LT(GetTickCount64() - started, TIpcManager::WaitSlice / 2);
}

TEST_F(InstanceMessagingContract, ModuleUsesTheSystemsNames)
{
    InitializeIpc();
    const auto opened = [](HANDLE handle) {
        const UniqueKernelHandle owned(handle);
        return static_cast<bool>(owned);
    };
    EXPECT_TRUE(opened(OpenFileMappingA(FILE_MAP_READ, FALSE, "zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}")));
    EXPECT_TRUE(opened(OpenMutexA(SYNCHRONIZE, FALSE, "zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}-Mutex")));
    EXPECT_TRUE(opened(OpenEventA(SYNCHRONIZE, FALSE, "zephyrix-event{37D9B009-4ED3-4A8A-98DD-20847885273F}")));
    FinalizeIpc();
    EXPECT_FALSE(opened(OpenFileMappingA(FILE_MAP_READ, FALSE, "zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}")));
}

TEST_F(InstanceMessagingContract, NameTakenByAnotherKindOfObjectCannotBeABlock)
{
    const auto squatter = platform::KernelObjects().NewMutex("zx-test-squatter", false);
    ASSERT_TRUE(squatter.Mutex);
    try {
        TStringFilemapping block("zx-test-squatter", IpcBlockSize);
        FAIL() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Unable to create file mapping.");
    }
}

TEST_F(InstanceMessagingContract, NewTextEventReleasesOneWaitPerSignal)
{
    auto& kernel = platform::KernelObjects();
    auto other = kernel.NewEvent(names.Event, false, false);
    auto stop = kernel.NewEvent("", true, false);
    platform::IKernelEvent* const events[] = {running.IpcEvent.get(), stop.get()};
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::TimedOut());
    other->Set();
    other->Set();
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::Taken(0));
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::TimedOut());
    stop->Set();
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::Taken(1));
    EXPECT_EQ(kernel.WaitForAny(events, 0), platform::EventWaitResult::Taken(1));
}

} // namespace

namespace {

// A start made while the running instance is ending must not be taken for a second
// instance because a second start still waiting to send holds the lock open.
TEST_F(InstanceMessagingContract, SecondStartClosesTheInstanceLockBeforeItWaitsToSend)
{
    std::string lockName = "zx-test-lock-";
    lockName += std::to_string(GetCurrentProcessId());
    auto lock = platform::KernelObjects().NewMutex(lockName, true); // the running instance's
    ASSERT_EQ(lock.How, platform::MutexResult::Outcome::Created);
    // A text nobody has taken yet: the second start waits for the block to come free.
    running.IpcBlock.WriteText("waiting ");
    auto& kernel = platform::KernelObjects();
    auto signals = kernel.NewEvent(names.Event, false, false);
    const Helper second = StartHelper("second-start", {lockName, "late.txt"});
    // Its first signal nudges whoever should take the waiting text: it is sending now.
    platform::IKernelEvent* const events[] = {signals.get()};
    ASSERT_EQ(kernel.WaitForAny(events, 15000), platform::EventWaitResult::Taken(0))
        << "the second start never signalled";
    EXPECT_EQ(WaitForSingleObject(second.process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "still sending";

    lock.Mutex.reset(); // the running instance ends
    const UniqueKernelHandle stillThere(OpenMutexA(SYNCHRONIZE, FALSE, lockName.c_str()));
    EXPECT_FALSE(stillThere) << "the second start holds the instance lock open";

    EXPECT_EQ(running.IpcBlock.TakeText(), "waiting ");
    EXPECT_EQ(Finish(second), 0u) << ReadFile(second.report);
    EXPECT_EQ(running.IpcBlock.TakeText(), "late.txt ");
}

} // namespace
