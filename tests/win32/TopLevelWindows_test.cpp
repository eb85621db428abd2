#include "platform/win32/TopLevelWindows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

using platform::WindowHandle;

// A real top-level window of this process, destroyed with the object.
class TestWindow {
public:
    TestWindow(const std::string& title, DWORD style)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA description{};
            description.lpfnWndProc = DefWindowProcA;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "ZephyrixTestWindow";
            return RegisterClassA(&description);
        }();
        (void)windowClass;
        hwnd_ = CreateWindowExA(0, "ZephyrixTestWindow", title.c_str(), style, 10, 10, 300, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    void Destroy()
    {
        if (hwnd_ != nullptr)
            DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    HWND Hwnd() const { return hwnd_; }
    WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }

private:
    HWND hwnd_ = nullptr;
};

// Lets the window manager catch up with show-state changes.
void PumpMessages()
{
    MSG message;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

class TopLevelWindowsTest : public ::testing::Test {
protected:
    bool Listed(WindowHandle window)
    {
        const auto all = windows.List();
        return std::find(all.begin(), all.end(), window) != all.end();
    }

    platform::win32::TopLevelWindows windows;
};

TEST_F(TopLevelWindowsTest, ListsWindowsWithTitlesAndVisibility)
{
    TestWindow shown("Zephyrix visible test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestWindow hidden("Zephyrix hidden test window", WS_OVERLAPPEDWINDOW);
    TestWindow untitled("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(shown.Hwnd(), nullptr);

    EXPECT_TRUE(Listed(shown.Handle()));
    EXPECT_TRUE(Listed(hidden.Handle()));
    EXPECT_EQ(windows.Title(shown.Handle()), "Zephyrix visible test window");
    EXPECT_EQ(windows.Title(untitled.Handle()), "");
    EXPECT_TRUE(windows.IsVisible(shown.Handle()));
    EXPECT_FALSE(windows.IsVisible(hidden.Handle()));
}

TEST_F(TopLevelWindowsTest, LongTitlesAreCutAt1023Characters)
{
    const std::string title(1500, 'x');
    TestWindow window(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(windows.Title(window.Handle()), std::string(1023, 'x'));
}

TEST_F(TopLevelWindowsTest, AClosedWindowIsGoneAndHarmless)
{
    TestWindow window("Zephyrix closing test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const WindowHandle handle = window.Handle();
    EXPECT_TRUE(windows.Exists(handle));
    window.Destroy();

    EXPECT_FALSE(windows.Exists(handle));
    EXPECT_FALSE(Listed(handle));
    EXPECT_EQ(windows.Title(handle), "");
    EXPECT_FALSE(windows.IsVisible(handle));
    EXPECT_FALSE(windows.IsMinimized(handle));
    windows.Restore(handle);
    windows.BringToFront(handle);
}

TEST_F(TopLevelWindowsTest, RestoresAMinimizedWindowAndBringsItForward)
{
    TestWindow window("Zephyrix minimized test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(window.Hwnd(), SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(windows.IsMinimized(window.Handle()));

    windows.Restore(window.Handle());
    windows.BringToFront(window.Handle());
    PumpMessages();

    EXPECT_FALSE(windows.IsMinimized(window.Handle()));
    EXPECT_TRUE(windows.IsVisible(window.Handle()));
    EXPECT_FALSE(IsZoomed(window.Hwnd()));
}

TEST_F(TopLevelWindowsTest, RestoreLeavesAMaximizedWindowMaximizedWhenNotAsked)
{
    TestWindow window("Zephyrix maximized test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(window.Hwnd(), SW_MAXIMIZE);
    PumpMessages();
    ASSERT_FALSE(windows.IsMinimized(window.Handle()));
    windows.BringToFront(window.Handle());
    PumpMessages();
    EXPECT_TRUE(IsZoomed(window.Hwnd()));
}

} // namespace
