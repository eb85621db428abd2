// The switcher against the real desktop: real windows, the headless forms for the panel.
#include "matching/fSearchRunningUI.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "Win32Test.h"
#include "platform/win32/MessagePump.h"
#include "platform/headless/Widgets.h"
#include "platform/win32/Win32Platform.h"

namespace {

using platform::headless::SimForm;

class DesktopWithHeadlessForms : public platform::win32::Win32Platform {
public:
    platform::IWidgets& Widgets() override { return forms; }
    platform::headless::SimWidgets forms;
};

// Tests run in parallel processes: each names its windows apart.
std::string Titled(const std::string& title)
{
    return title + " " + std::to_string(GetCurrentProcessId());
}

// Lets the window manager catch up with show-state changes.
void PumpMessages()
{
    platform::win32::PumpMessagesUntil([] { return false; }, 200);
}

class Win32SwitcherTest : public ::testing::Test {
protected:
    Win32SwitcherTest()
    {
        auto installed = std::make_unique<DesktopWithHeadlessForms>();
        desktop = installed.get();
        platform::Install(std::move(installed));
        host = desktop->forms.CreateForm("TfrmSearchRunningUI");
        form = static_cast<SimForm*>(host.get());
        panel = std::make_unique<TfrmSearchRunningUI>(*host);
    }
    ~Win32SwitcherTest() override
    {
        panel.reset();
        host.reset();
        platform::Install(nullptr);
    }

    std::vector<std::string> Rows() { return form->ListBox("lbSearch").Texts(); }
    bool Lists(const std::string& title)
    {
        const auto rows = Rows();
        return std::find(rows.begin(), rows.end(), title) != rows.end();
    }

    DesktopWithHeadlessForms* desktop = nullptr;
    std::unique_ptr<platform::IForm> host;
    SimForm* form = nullptr;
    std::unique_ptr<TfrmSearchRunningUI> panel;
};

TEST_F(Win32SwitcherTest, ListsTheVisibleWindowsButNeverProgramManager)
{
    TestWindow shown(Titled("Zephyrix Switcher Shown"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestWindow hidden(Titled("Zephyrix Switcher Hidden"), WS_OVERLAPPEDWINDOW);
    TestWindow desktopLookalike("PROGRAM manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    panel->ResetSearch();

    EXPECT_TRUE(Lists(Titled("Zephyrix Switcher Shown")));
    EXPECT_FALSE(Lists(Titled("Zephyrix Switcher Hidden")));
    EXPECT_FALSE(Lists("PROGRAM manager"));
    EXPECT_FALSE(Lists("Program Manager"));
    EXPECT_FALSE(Lists(""));

    form->Type(Titled("zephyrix switcher"));
    EXPECT_EQ(Rows(), (std::vector<std::string>{Titled("Zephyrix Switcher Shown")}));
}

// Titles in any script, as the real window list gives them in the program's code page,
// are found by typing their letters in either case; a title typed as it reads, brackets
// and all, is searched as it stands.
TEST_F(Win32SwitcherTest, TypedLettersFindTitlesInTheOtherCaseInEveryScript)
{
    const std::string title = Titled("\xCE\xA9mega \xC3\x9C" "bersicht (x86)"); // Ωmega Übersicht (x86)
    TestWindow window(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    panel->ResetSearch();
    form->Type("\xCF\x89MEGA \xC3\xBC"); // ωMEGA ü
    EXPECT_TRUE(Lists(title));
    form->Type("bersicht (x8");
    EXPECT_EQ(Rows(), (std::vector<std::string>{title}));
}

TEST_F(Win32SwitcherTest, GoRestoresAMinimizedWindowAndBringsItForward)
{
    TestWindow window(Titled("Zephyrix Switcher Minimized"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(window.Hwnd(), SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsIconic(window.Hwnd()));

    panel->ResetSearch();
    form->Type(Titled("Zephyrix Switcher Minimized"));
    ASSERT_EQ(Rows(), (std::vector<std::string>{Titled("Zephyrix Switcher Minimized")}));
    form->PressKey(platform::vk::Return);
    PumpMessages();

    EXPECT_FALSE(IsIconic(window.Hwnd()));
    EXPECT_TRUE(IsWindowVisible(window.Hwnd()));
}

TEST_F(Win32SwitcherTest, GoOnAWindowClosedSinceTheKeystrokeDoesNothing)
{
    TestWindow window(Titled("Zephyrix Switcher Closing"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    panel->ResetSearch();
    form->Type(Titled("Zephyrix Switcher Closing"));
    ASSERT_EQ(Rows().size(), 1u);
    window.Destroy();
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Rows().size(), 1u);
}

} // namespace
