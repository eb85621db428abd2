#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "platform/win32/Application.h"
#include "platform/win32/Forms.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/TrayIcon.h"
#include "res/resource.h"
#include "shell/fAbout.h"
#include "additems/AddItemsPage.h"
#include "shell/main.h"
#include "shell/systray.h"

namespace {

using platform::win32::Win32Form;

class MainFormWin32Test : public Win32Test {
protected:
    MainFormWin32Test()
    {
        platform::Install(std::make_unique<RecordingPlatform>());
        main = std::make_unique<TMainForm>();
        window = static_cast<Win32Form&>(*main->Form).Handle();
    }
    ~MainFormWin32Test() override
    {
        main.reset();
        FreeSearchData();
        FreeConfig();
    }

    static void Pump(unsigned ms = 100) { platform::win32::PumpMessagesUntil([] { return false; }, ms); }
    bool Visible() const { return IsWindowVisible(window) != FALSE; }
    HWND TrayWindow() const
    {
        return static_cast<platform::win32::TrayIcon&>(*main->Tray->Icon).CallbackWindow();
    }
    void StartUp()
    {
        main->Form->Show();
        Pump();
    }

    std::unique_ptr<TMainForm> main;
    HWND window = nullptr;
};

TEST_F(MainFormWin32Test, HidesAtStartUpAndHoldsTheThreeHotkeys)
{
    StartUp();
    EXPECT_FALSE(Visible());
    // A test program that ended just before may give its combinations back to the server
    // only after this window asked for them: the window asks again until it holds all
    // three (an id the window holds is one it can give back).
    const auto holdsAll = [this] {
        bool all = true;
        for (int id = 0; id <= 2; ++id)
            all = UnregisterHotKey(window, id) != FALSE && all;
        main->ApplyHotkeys();
        return all;
    };
    ASSERT_TRUE(platform::win32::PumpMessagesUntil(holdsAll, 10000));
    // Each default combination is taken: the system refuses it to anyone else.
    const unsigned keys[] = {'J', 'K', 'H'};
    for (const unsigned key : keys) {
        EXPECT_FALSE(RegisterHotKey(nullptr, 100, MOD_WIN, key)) << char(key);
        UnregisterHotKey(nullptr, 100);
    }
}

// The hotkey is handled synchronously and the focus read before any message is pumped:
// another program taking the activation meanwhile cannot move it.
TEST_F(MainFormWin32Test, HotkeyMessagesBringTheirPages)
{
    StartUp();
    SendMessageA(window, WM_HOTKEY, 0, 0);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
    EXPECT_TRUE(main->frmSearchUI1.edLaunch.Focused());

    SendMessageA(window, WM_HOTKEY, 2, 0);
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsRunning);
    EXPECT_TRUE(main->frmSearchRunningUI1.edLaunch.Focused());

    SendMessageA(window, WM_HOTKEY, 1, 0);
    Pump();
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
}

TEST_F(MainFormWin32Test, EscAndTheCloseBoxHideAndTheTrayIconBringsItBack)
{
    StartUp();
    PostMessageA(window, WM_HOTKEY, 0, 0);
    Pump();
    PostMessageA(static_cast<platform::win32::Win32Edit&>(main->frmSearchUI1.edLaunch).Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_FALSE(Visible());

    PostMessageA(TrayWindow(), platform::win32::TrayIcon::CallbackMessage, 0, WM_MOUSEMOVE);
    Pump();
    EXPECT_FALSE(Visible()) << "moving over the icon does nothing";
    PostMessageA(TrayWindow(), platform::win32::TrayIcon::CallbackMessage, 0, WM_RBUTTONDOWN);
    Pump();
    EXPECT_TRUE(Visible());

    PostMessageA(window, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(IsWindow(window)) << "closing only hides";

    PostMessageA(TrayWindow(), platform::win32::TrayIcon::CallbackMessage, 0, WM_LBUTTONDOWN);
    Pump();
    EXPECT_TRUE(Visible());
}

TEST_F(MainFormWin32Test, ATextFromAnotherStartIsNotHiddenByTheStartupHide)
{
    main->Form->Show();
    main->ShowFromMessage("C:\\My Files\\a.txt -x ");
    Pump(200);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\My Files\\a.txt -x ");
}

TEST_F(MainFormWin32Test, FilesDroppedOnTheWindowComeUpOnTheAddPage)
{
    StartUp();
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\docs\\first.txt", "C:\\second"})), 0);
    Pump();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\docs\\first.txt");
}

TEST_F(MainFormWin32Test, AddPageButtonsFillThePageWidth)
{
    StartUp();
    PostMessageA(window, WM_HOTKEY, 1, 0);
    Pump();
    auto& page = *main->AddItems;
    HWND first = static_cast<platform::win32::Win32Button&>(page.btnLaunchFile).Handle();
    RECT pageRect{};
    GetClientRect(GetParent(first), &pageRect);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(page.btnLaunchFile.Width(), pageRect.right - 8);
    EXPECT_EQ(page.btnLaunchAsParam.Width(), page.btnLaunchFile.Width());
    EXPECT_EQ(page.edClipboard.Width(), pageRect.right - 110 - 64 - 12);
    char caption[128] = {};
    GetWindowTextA(first, caption, sizeof(caption));
    EXPECT_STREQ(caption, "&1.  Launch this file / open directory with Windows explorer.");

    // The window grows: the handlers widen the buttons and the edit with it.
    const int before = page.btnLaunchFile.Width();
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(page.btnLaunchFile.Width(), before + 100);
}

TEST_F(MainFormWin32Test, TheEndOfTheSessionStoresSettingsAndPlacement)
{
    StartUp();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix", "ModifierKey");
    PostMessageA(window, WM_HOTKEY, 0, 0);
    Pump();
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    char visible[8] = {};
    DWORD size = sizeof(visible);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm", "Visible",
                           RRF_RT_REG_SZ, nullptr, visible, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(visible, "1");
    DWORD modifiers = 0;
    size = sizeof(modifiers);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix", "ModifierKey", RRF_RT_REG_DWORD, nullptr,
                           &modifiers, &size),
              ERROR_SUCCESS);
}

TEST_F(MainFormWin32Test, SettingsAndAbbreviationsAreSavedWhenTheWindowGoes)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\Abbreviations");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix", "ModifierKey");
    main.reset();
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix", "ModifierKey", RRF_RT_REG_DWORD,
                           nullptr, &value, &size),
              ERROR_SUCCESS);
    size = sizeof(value);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\Abbreviations", "Count",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS)
        << "the abbreviations were written back";
}

} // namespace

namespace {

// A hotkey, a click on the icon or a text from another start while a dialog of the
// application is open: the dialog comes forward, not the window it disables.
TEST_F(MainFormWin32Test, BringUpWhileADialogIsOpenBringsTheDialogNotTheDisabledWindow)
{
    StartUp();
    platform::win32::Application::SetMainWindow(window);
    {
        TfrmAbout about;
        const HWND box = static_cast<Win32Form&>(*about.Form).Handle();
        const HWND ok = static_cast<Win32Form&>(*about.Form).Button("btnOK").Handle();
        std::vector<HWND> active;
        BOOL enabled = TRUE;
        about.Form->OnShow = [&] {
            enabled = IsWindowEnabled(window);
            SendMessageA(window, WM_HOTKEY, 0, 0);
            active.push_back(GetActiveWindow());
            main->ShowFromMessage("C:\\from another start.txt ");
            active.push_back(GetActiveWindow());
            main->Tray->ShowForm();
            active.push_back(GetActiveWindow());
            PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 1);
        };
        about.ShowModal();
        EXPECT_FALSE(enabled) << "the box runs modally";
        EXPECT_EQ(active, std::vector<HWND>(3, box));
    }
    platform::win32::Application::SetMainWindow(nullptr);
}

// Maximised, then hidden with Esc: the next showing is in the stored normal state.
TEST_F(MainFormWin32Test, MaximisedThenEscIsUndoneAtTheNextShowing)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm");
    StartUp();
    SendMessageA(window, WM_HOTKEY, 0, 0);
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window));
    PostMessageA(static_cast<platform::win32::Win32Edit&>(main->frmSearchUI1.edLaunch).Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    ASSERT_FALSE(Visible());
    SendMessageA(window, WM_HOTKEY, 0, 0);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(MainFormWin32Test, AboutBoxShowsNameAndVersionAndClosesWithEnterOrEsc)
{
    TfrmAbout about;
    HWND box = static_cast<Win32Form&>(*about.Form).Handle();
    char text[64] = {};
    GetDlgItemTextA(box, IDC_ABOUTTEXT, text, sizeof(text));
    EXPECT_STREQ(text, "Zephyrix " ZX_VERSION_TEXT);

    HWND ok = static_cast<Win32Form&>(*about.Form).Button("btnOK").Handle();
    about.Form->OnShow = [&] { PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 1); };
    EXPECT_EQ(about.ShowModal(), platform::ModalResultOk);
    about.Form->OnShow = [&] { PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 1); };
    EXPECT_EQ(about.ShowModal(), platform::ModalResultCancel);
}

} // namespace
