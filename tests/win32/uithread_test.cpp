#include "platform/win32/UiThread.h"

#include "Win32Test.h"

namespace {

using UiThreadContract = Win32Test;

TEST_F(UiThreadContract, EndingWithAQuitPendingKeepsTheQuitAndTakesNoCallFromIt)
{
    {
        platform::win32::UiThread thread;
        PostQuitMessage(7); // as the message loop leaves it when it ends
    }
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

} // namespace
