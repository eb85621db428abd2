#pragma once
#include <windows.h>

#include "platform/WindowPlacement.h"

namespace platform::win32 {

// A real top-level window. Whether it is centred when first shown is the form's
// setting, kept here for the form to read when it shows the window.
class PlacedWindow : public IPlacedWindow {
public:
    PlacedWindow(HWND window, bool isMainWindow, bool centredOnShow)
        : window_(window), isMainWindow_(isMainWindow), centredOnShow_(centredOnShow) {}

    WindowPlacement Placement() const override;
    void SetPlacement(const WindowPlacement& placement) override;
    bool Visible() const override;
    bool Resizable() const override;
    PlacementRect Bounds() const override;
    bool CentredOnShow() const override { return centredOnShow_; }
    void KeepDesignedPosition() override { centredOnShow_ = false; }
    void SetState(WindowState state) override;
    bool ApplicationMinimized() const override;
    void Repaint() override;

    // The state a hidden window is to be shown in.
    WindowState PendingState() const { return pendingState_; }
    // A placement is being applied (the window may move to another monitor meanwhile).
    bool Applying() const { return applying_; }

private:
    HWND window_;
    bool isMainWindow_;
    bool centredOnShow_;
    WindowState pendingState_ = WindowState::Normal;
    bool applying_ = false;
};

} // namespace platform::win32
