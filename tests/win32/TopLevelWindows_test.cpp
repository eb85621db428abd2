#include "platform/win32/TopLevelWindows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "Win32Test.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::WindowHandle;

// Lets the window manager catch up with show-state changes.
void PumpMessages()
{
    platform::win32::PumpMessagesUntil([] { return false; }, 200);
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

// Greek letters take two bytes each in UTF-8.
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const wchar_t* const GreekWide = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
std::string Alphas(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\xCE\xB1";
    return text;
}

TEST_F(TopLevelWindowsTest, GreekTitleOfOwnWindowIsReadWhole)
{
    TestWindow window(Greek + " - Zephyrix", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    wchar_t wide[64] = {};
    GetWindowTextW(window.Hwnd(), wide, 64);
    EXPECT_EQ(std::wstring(wide), std::wstring(GreekWide) + L" - Zephyrix") << "the system holds real Greek";
    EXPECT_EQ(windows.Title(window.Handle()), Greek + " - Zephyrix");
}

TEST_F(TopLevelWindowsTest, LongNonAsciiTitleIsCutAtAWholeCharacter)
{
    // 1500 letters, 3000 bytes: 1023 bytes would end in the middle of the 512th.
    TestWindow window(Alphas(1500), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(windows.Title(window.Handle()), Alphas(511));
    // One ASCII letter first moves every boundary by a byte.
    std::string mixed = "x";
    mixed += Alphas(1500);
    TestWindow mixedWindow(mixed, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(windows.Title(mixedWindow.Handle()), mixed.substr(0, 1 + 2 * 511));
}

class ForeignWindowTest : public Win32Test {
protected:
    // Starts the helper that shows a window of its own with this title.
    bool Show(const std::wstring& title)
    {
        const std::string ready = Scratch("ready.txt");
        std::wstring line = L"\"" + Widen(ProgramFolder()) + L"\\show_window.exe\" \"" + Widen(ready) + L"\" \"" +
                            title + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        CloseHandle(info.hThread);
        process.Reset(info.hProcess);
        return WaitForFile(ready);
    }
    ~ForeignWindowTest() override
    {
        if (process) {
            TerminateProcess(process.Get(), 0);
            WaitForSingleObject(process.Get(), 5000);
        }
    }
    // The title read of each window of the helper's process.
    std::vector<std::string> HelperTitles()
    {
        std::vector<std::string> titles;
        for (WindowHandle window : windows.List()) {
            DWORD owner = 0;
            GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &owner);
            if (owner == GetProcessId(process.Get()) && windows.IsVisible(window))
                titles.push_back(windows.Title(window));
        }
        return titles;
    }
    static std::wstring Widen(const std::string& text)
    {
        std::wstring wide(text.size(), L'\0');
        wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                                 wide.data(), static_cast<int>(wide.size()))));
        return wide;
    }

    platform::win32::UniqueKernelHandle process;
    platform::win32::TopLevelWindows windows;
};

TEST_F(ForeignWindowTest, GreekTitleOfAnotherProgramsWindowIsListedWhole)
{
    ASSERT_TRUE(Show(std::wstring(GreekWide) + L" \u65E5\u672C"));
    EXPECT_EQ(HelperTitles(), std::vector<std::string>{Greek + " \xE6\x97\xA5\xE6\x9C\xAC"});
}

TEST_F(ForeignWindowTest, LongTitleOfAnotherProgramsWindowIsCutAtAWholeCharacter)
{
    ASSERT_TRUE(Show(std::wstring(1500, L'\u03B1')));
    EXPECT_EQ(HelperTitles(), std::vector<std::string>{Alphas(511)});
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
