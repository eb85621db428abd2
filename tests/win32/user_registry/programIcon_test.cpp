// The program's own icon and version where the user meets them, and its icon in the
// notification area across restarts of the shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "platform/win32/Forms.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/ProgramIcon.h"
#include "platform/win32/TrayIcon.h"
#include "res/resource.h"
#include "shell/fAbout.h"
#include "shell/main.h"
#include "shell/systray.h"

namespace {

using platform::win32::Win32Form;

// The sizes each drawing of the icon resource has, read from its directory.
std::set<int> IconSizes()
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE Width, Height, Colours, Reserved;
        WORD Planes, BitCount;
        DWORD Bytes;
        WORD Id;
    };
    struct GroupHeader {
        WORD Reserved, Type, Count;
    };
#pragma pack(pop)
    std::set<int> sizes;
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_MAINICON), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    if (resource == nullptr)
        return sizes;
    const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(nullptr, resource)));
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    for (WORD n = 0; n < header->Count; ++n)
        sizes.insert(entries[n].Width == 0 ? 256 : entries[n].Width); // 0 stands for 256
    return sizes;
}

// Whether the shell shows the tray window's icon: only a shown icon can be changed.
bool ShellShowsIcon(HWND trayWindow)
{
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = trayWindow;
    icon.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

class ProgramIconTest : public Win32Test {
protected:
    ProgramIconTest() { platform::Install(std::make_unique<RecordingPlatform>()); }
    ~ProgramIconTest() override
    {
        FreeSearchData();
        FreeConfig();
    }
};

TEST_F(ProgramIconTest, TheIconHasEverySizeWindowsAsksForAndTheProgramItsVersion)
{
    EXPECT_EQ(IconSizes(), (std::set<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    for (const int size : {16, 24, 32}) {
        const platform::win32::UniqueIcon icon = platform::win32::LoadProgramIcon(size);
        ICONINFO info{};
        ASSERT_TRUE(icon && GetIconInfo(icon.Get(), &info)) << size;
        BITMAP bitmap{};
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }

    // The built program carries the version set in the build, in numbers and in text.
    const std::string exe = ProgramFolder() + "\\zephyrix.exe";
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(data.empty()) << exe;
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const unsigned numbers[] = {ZX_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwProductVersionMS, (numbers[0] << 16) | numbers[1]);
    EXPECT_EQ(fixed->dwProductVersionLS, (numbers[2] << 16) | numbers[3]);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\ProductVersion", reinterpret_cast<void**>(&text),
                               &length));
    EXPECT_STREQ(text, ZX_VERSION_TEXT);
}

TEST_F(ProgramIconTest, TheMainWindowAndTheAboutBoxShowTheIcon)
{
    TMainForm main;
    HWND window = static_cast<Win32Form&>(*main.Form).Handle();
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);

    TfrmAbout about;
    HWND box = static_cast<Win32Form&>(*about.Form).Handle();
    EXPECT_NE(SendDlgItemMessageA(box, IDC_ABOUTICON, STM_GETICON, 0, 0), 0);
}

TEST_F(ProgramIconTest, TheTrayIconComesBackWhenTheShellMakesANewNotificationArea)
{
    TSysTray tray;
    HWND trayWindow = static_cast<platform::win32::TrayIcon&>(*tray.Icon).CallbackWindow();
    ASSERT_TRUE(ShellShowsIcon(trayWindow)) << "added when made";
    EXPECT_EQ(platform::win32::SmallIconSize(trayWindow), GetSystemMetrics(SM_CXSMICON)) << "one scale on Wine";

    // Explorer restarted: its new notification area knows no icon, and it tells every
    // top-level window so.
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = trayWindow;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    ASSERT_FALSE(ShellShowsIcon(trayWindow));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(platform::win32::PumpMessagesUntil([&] { return ShellShowsIcon(trayWindow); }, 5000));

    // Told twice, the icon stays one icon: adding it again fails, it is refreshed instead.
    EXPECT_TRUE(tray.Icon->Add());
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &icon)) << "a second icon was added";
}

} // namespace
