#include <windows.h>

#include "Win32Test.h"
#include "catalogue/uProgramInfo.h"
#include "platform/Platform.h"
#include "platform/win32/Application.h"

namespace {

class ApplicationContract : public Win32Test {
protected:
    ApplicationContract()
    {
        window = CreateWindowExA(0, "STATIC", "Zephyrix test window", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(window, SW_SHOW);
    }
    ~ApplicationContract() override
    {
        platform::win32::Application::SetMainWindow(nullptr);
        DestroyWindow(window);
    }

    HWND window = nullptr;
};

TEST_F(ApplicationContract, HidingWithoutAMainWindowDoesNothing)
{
    platform::win32::Application::SetMainWindow(nullptr);
    platform::Application().HideMainWindow();
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(ApplicationContract, HidingHidesTheMainWindow)
{
    ASSERT_TRUE(IsWindowVisible(window));
    platform::win32::Application::SetMainWindow(window);
    platform::Application().HideMainWindow();
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ApplicationContract, AppletOfAMissingModuleReturnsAfterHidingTheWindow)
{
    platform::win32::Application::SetMainWindow(window);
    TCPLItem applet(ScratchFolder() + "\\missing.cpl", "Nothing");
    applet.SetPath(applet.AppletName);
    EXPECT_NO_THROW(applet.Launch());
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ApplicationContract, FileExistsTellsFilesFromFolders)
{
    WriteFile(Scratch("file.txt"), "x");
    EXPECT_TRUE(platform::FileSystem().FileExists(Scratch("file.txt")));
    EXPECT_FALSE(platform::FileSystem().FileExists(ScratchFolder()));
    EXPECT_FALSE(platform::FileSystem().FileExists(Scratch("none.txt")));
}

} // namespace
