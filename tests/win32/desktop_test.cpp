#include <windows.h>
#include <shlobj.h>
#include <dlgs.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "Win32Test.h"
#include "common/Exception.h"
#include "platform/Platform.h"
#include "platform/win32/DroppedFiles.h"

namespace {

bool PutClipboardText(const std::string& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    return set;
}

void EmptyTheClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

using DesktopContract = Win32Test;

TEST_F(DesktopContract, ClipboardTextRoundTrips)
{
    ASSERT_TRUE(PutClipboardText("C:\\Program Files\\Tool\\tool.exe"));
    EXPECT_EQ(platform::Clipboard().Text(), "C:\\Program Files\\Tool\\tool.exe");
    // A Western program's text (CF_TEXT, code page 1252) comes in our code page, UTF-8.
    ASSERT_TRUE(PutClipboardText("http://x/\xe9"));
    EXPECT_EQ(platform::Clipboard().Text(), "http://x/\xC3\xA9");
    EmptyTheClipboard();
    EXPECT_EQ(platform::Clipboard().Text(), "");
}

TEST_F(DesktopContract, ClipboardHeldOpenElsewhereCannotBeRead)
{
    std::atomic<bool> opened{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        // A clipboard owner needs a window of its own thread.
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        opened = OpenClipboard(window) != FALSE;
        while (opened && !release)
            Sleep(10);
        if (opened)
            CloseClipboard();
        DestroyWindow(window);
    });
    for (int waited = 0; waited < 300 && !opened; ++waited)
        Sleep(10);
    ASSERT_TRUE(opened);
    try {
        platform::Clipboard().Text();
        ADD_FAILURE() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Cannot open clipboard");
    }
    release = true;
    holder.join();
    EXPECT_NO_THROW(platform::Clipboard().Text());
}

// A drop as the shell makes one: a DROPFILES header followed by the names, each
// ended by a zero, and one more zero at the end.
std::vector<std::string> dropped;

LRESULT CALLBACK DropWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        dropped = platform::win32::TakeDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(DesktopContract, DroppedFilesReachTheWindowInOrder)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DropWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZxDropTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ZxDropTarget", "drop", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    platform::win32::AcceptDroppedFiles(window);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    const std::string longest = "C:\\" + std::string(256, 'n');
    dropped.clear();
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\a\\first.txt", "C:\\b", longest})), 0);
    EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\a\\first.txt", "C:\\b", longest}));
    DestroyWindow(window);
}

// Acts as the user in the file-open dialog once it shows up: types a name and
// presses Open, or cancels.
std::thread AnswerOpenDialog(const std::string& fileName)
{
    const DWORD process = GetCurrentProcessId();
    return std::thread([fileName, process] {
        for (int waited = 0; waited < 1000; ++waited) {
            HWND dialog = nullptr;
            while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(dialog, &owner);
                if (owner == process && IsWindowVisible(dialog))
                    break;
            }
            if (dialog != nullptr) {
                if (fileName.empty()) {
                    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                } else {
                    SetDlgItemTextA(dialog, cmb13, fileName.c_str());
                    SetDlgItemTextA(dialog, edt1, fileName.c_str());
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                }
                return;
            }
            Sleep(20);
        }
    });
}

TEST_F(DesktopContract, FileOpenDialogGivesThePickedFilesFullPath)
{
    const std::string file = Scratch("picked file.txt");
    WriteFile(file, "x");
    std::thread user = AnswerOpenDialog(file);
    const auto picked = platform::FileDialogs().OpenFile();
    user.join();
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, file);

    std::thread canceller = AnswerOpenDialog("");
    EXPECT_FALSE(platform::FileDialogs().OpenFile().has_value());
    canceller.join();
}

} // namespace
