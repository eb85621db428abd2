#include "platform/win32/WindowPlacement.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

// A device context of the whole screen, released when the object goes.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC()
    {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

} // namespace

int Screen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int Screen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int Screen::FrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }
int Screen::FrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }

int Screen::PixelsPerInch() const
{
    const ScreenDC screen;
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

WindowPlacement PlacedWindow::Placement() const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement); // 44
    if (!GetWindowPlacement(window_, &placement))
        RaiseLastOSError();
    return {placement.flags,
            placement.showCmd,
            {placement.ptMinPosition.x, placement.ptMinPosition.y},
            {placement.ptMaxPosition.x, placement.ptMaxPosition.y},
            {placement.rcNormalPosition.left, placement.rcNormalPosition.top, placement.rcNormalPosition.right,
             placement.rcNormalPosition.bottom}};
}

void PlacedWindow::SetPlacement(const WindowPlacement& placement)
{
    WINDOWPLACEMENT record{};
    record.length = sizeof(record);
    record.flags = placement.Flags;
    record.showCmd = placement.ShowCmd;
    record.ptMinPosition = {placement.MinPosition.X, placement.MinPosition.Y};
    record.ptMaxPosition = {placement.MaxPosition.X, placement.MaxPosition.Y};
    record.rcNormalPosition = {placement.NormalPosition.Left, placement.NormalPosition.Top,
                               placement.NormalPosition.Right, placement.NormalPosition.Bottom};
    // A stored rectangle that lands on a monitor of another scale is already in that
    // monitor's pixels: the form keeps it rather than the size Windows suggests then.
    applying_ = true;
    const BOOL applied = SetWindowPlacement(window_, &record);
    applying_ = false;
    if (!applied)
        RaiseLastOSError();
}

bool PlacedWindow::Visible() const
{
    return IsWindowVisible(window_) != FALSE;
}

bool PlacedWindow::Resizable() const
{
    return (GetWindowLongPtrA(window_, GWL_STYLE) & WS_THICKFRAME) != 0;
}

PlacementRect PlacedWindow::Bounds() const
{
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

void PlacedWindow::SetState(WindowState state)
{
    pendingState_ = state;
    if (!Visible())
        return;
    switch (state) {
    case WindowState::Normal: ShowWindow(window_, SW_SHOWNORMAL); break;
    case WindowState::Minimized: ShowWindow(window_, SW_MINIMIZE); break;
    case WindowState::Maximized: ShowWindow(window_, SW_SHOWMAXIMIZED); break;
    }
}

bool PlacedWindow::ApplicationMinimized() const
{
    return isMainWindow_ && IsIconic(window_);
}

void PlacedWindow::Repaint()
{
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace platform::win32
