#include "platform/win32/Screen.h"

#include <windows.h>

#include "platform/win32/Handles.h"

namespace platform::win32 {

int Screen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int Screen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int Screen::FrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }
int Screen::FrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }

int Screen::PixelsPerInch() const
{
    const UniqueScreenDC screen(GetDC(nullptr));
    return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

// Placement records are in workspace coordinates: relative to the primary monitor's
// work area, which differs from the screen's when a taskbar sits left or at the top.
PlacementRect Screen::WorkAreaNearest(const PlacementRect& rect) const
{
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    POINT origin{0, 0};
    LONG dx = 0;
    LONG dy = 0;
    if (GetMonitorInfoA(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &primary)) {
        dx = primary.rcWork.left - primary.rcMonitor.left;
        dy = primary.rcWork.top - primary.rcMonitor.top;
    }
    const RECT onScreen{rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
    MONITORINFO nearest{};
    nearest.cbSize = sizeof(nearest);
    if (!GetMonitorInfoA(MonitorFromRect(&onScreen, MONITOR_DEFAULTTONEAREST), &nearest)) {
        RECT work{};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
            work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        nearest.rcWork = work;
    }
    return {nearest.rcWork.left - dx, nearest.rcWork.top - dy, nearest.rcWork.right - dx, nearest.rcWork.bottom - dy};
}

} // namespace platform::win32
