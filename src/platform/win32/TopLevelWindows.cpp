#include "platform/win32/TopLevelWindows.h"

#include <windows.h>

#include <vector>

#include "common/Utf8.h"
#include "platform/win32/AnsiText.h"

namespace platform::win32 {

namespace {

HWND AsHwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(window);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(reinterpret_cast<WindowHandle>(window));
    return TRUE; // always go on
}

} // namespace

std::vector<WindowHandle> TopLevelWindows::List()
{
    std::vector<WindowHandle> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool TopLevelWindows::IsVisible(WindowHandle window)
{
    return IsWindowVisible(AsHwnd(window)) != FALSE;
}

std::string TopLevelWindows::Title(WindowHandle window)
{
    // A window of another process answers WM_GETTEXT itself; a hung one could
    // stall us, but GetWindowTextA reads a foreign window's title from the
    // system's copy without sending it a message.
    // The buffer has room for MaxTitleLength + 1 UTF-16 units in UTF-8, so the system
    // never cuts the part we keep (Wine cuts in the middle of a character); the title
    // is then cut here, at a whole character.
    std::vector<char> buffer((MaxTitleLength + 1) * MaxBytesPerSystemChar, '\0');
    const int length = GetWindowTextA(AsHwnd(window), buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0)
        return {};
    return CutUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)), MaxTitleLength);
}

bool TopLevelWindows::Exists(WindowHandle window)
{
    return IsWindow(AsHwnd(window)) != FALSE;
}

bool TopLevelWindows::IsMinimized(WindowHandle window)
{
    return IsIconic(AsHwnd(window)) != FALSE;
}

void TopLevelWindows::Restore(WindowHandle window)
{
    ShowWindow(AsHwnd(window), SW_RESTORE);
}

void TopLevelWindows::BringToFront(WindowHandle window)
{
    SetForegroundWindow(AsHwnd(window));
}

} // namespace platform::win32
