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

namespace {

// Placement records are in workspace coordinates: relative to the primary monitor's
// work area, which differs from the screen's when a taskbar sits left or at the top.
POINT WorkspaceOffset()
{
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    if (!GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary))
        return {0, 0};
    return {primary.rcWork.left - primary.rcMonitor.left, primary.rcWork.top - primary.rcMonitor.top};
}

HMONITOR MonitorNearest(const PlacementRect& rect, const POINT& offset)
{
    const RECT onScreen{rect.Left + offset.x, rect.Top + offset.y, rect.Right + offset.x, rect.Bottom + offset.y};
    return MonitorFromRect(&onScreen, MONITOR_DEFAULTTONEAREST);
}

} // namespace

PlacementRect Screen::WorkAreaNearest(const PlacementRect& rect) const
{
    const POINT offset = WorkspaceOffset();
    MONITORINFO nearest{};
    nearest.cbSize = sizeof(nearest);
    if (!GetMonitorInfoA(MonitorNearest(rect, offset), &nearest)) {
        RECT work{};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
            work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        nearest.rcWork = work;
    }
    return {nearest.rcWork.left - offset.x, nearest.rcWork.top - offset.y, nearest.rcWork.right - offset.x,
            nearest.rcWork.bottom - offset.y};
}

int Screen::PixelsPerInchNearest(const PlacementRect& rect) const
{
    // Windows 8.1 and later know each monitor's scale; before, all share the system's.
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto dpiForMonitor = [] {
        HMODULE shcore = LoadLibraryA("shcore.dll"); // stays loaded: the pointer is kept
        return shcore == nullptr ? nullptr
                                 : reinterpret_cast<DpiForMonitor>(
                                       reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    UINT x = 0;
    UINT y = 0;
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (dpiForMonitor != nullptr &&
        SUCCEEDED(dpiForMonitor(MonitorNearest(rect, WorkspaceOffset()), EffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return PixelsPerInch();
}

} // namespace platform::win32
