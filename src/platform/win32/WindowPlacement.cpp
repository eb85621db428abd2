#include "platform/win32/WindowPlacement.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

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
