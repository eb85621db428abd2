#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/win32/UiThread.h"

using platform::win32::UiThread;

namespace {

// The call another thread is waiting for, once it has been posted.
bool PostedCallQueued()
{
    MSG message;
    return PeekMessageA(&message, nullptr, WM_APP + 1, WM_APP + 1, PM_NOREMOVE) != FALSE;
}

} // namespace

// The application ends its loop with a quit message that stays queued: the user-interface
// calls must be taken down without mistaking it for one of theirs.
TEST(UiThreadShutdown, LeavesAPendingQuitMessageAndWithdrawsQueuedCalls)
{
    std::atomic<int> ran = 0;
    std::atomic<bool> delivered = true;
    std::jthread caller;
    {
        UiThread thread;
        caller = std::jthread([&] { delivered = thread.RunAndWait([&] { ++ran; }, std::stop_token()); });
        for (int tries = 0; tries < 500 && !PostedCallQueued(); ++tries)
            Sleep(10);
        ASSERT_TRUE(PostedCallQueued());
        PostQuitMessage(7);
    }
    caller.join();
    EXPECT_EQ(ran, 0);
    EXPECT_FALSE(delivered);

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}
