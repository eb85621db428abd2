#pragma once

namespace platform {

struct PlacementPoint {
    int X = 0;
    int Y = 0;
};

struct PlacementRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The record Windows keeps of a top-level window's placement (WINDOWPLACEMENT).
struct WindowPlacement {
    unsigned Flags = 0;
    unsigned ShowCmd = 0;
    PlacementPoint MinPosition;
    PlacementPoint MaxPosition;
    PlacementRect NormalPosition;
};

enum class WindowState { Normal, Minimized, Maximized };

// A top-level window whose placement is kept between runs.
class IPlacedWindow {
public:
    virtual ~IPlacedWindow() = default;
    virtual WindowPlacement Placement() const = 0;
    // Applies the record; a show command of 0 changes the placement without showing the window.
    virtual void SetPlacement(const WindowPlacement& placement) = 0;
    virtual bool Visible() const = 0;
    // Whether the user can resize the window by its border.
    virtual bool Resizable() const = 0;
    // The window's current bounds on the screen.
    virtual PlacementRect Bounds() const = 0;
    // Whether the window is to be centred on the screen when shown; clearing it keeps
    // the window where it is.
    virtual bool CentredOnShow() const = 0;
    virtual void KeepDesignedPosition() = 0;
    // Normal, minimized or maximized; a hidden window takes the state when it is shown.
    virtual void SetState(WindowState state) = 0;
    // True when this is the application's main window and the application is minimized.
    virtual bool ApplicationMinimized() const = 0;
    virtual void Repaint() = 0;
};

} // namespace platform
