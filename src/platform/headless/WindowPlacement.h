#pragma once
#include <vector>

#include "common/Exception.h"
#include "platform/WindowPlacement.h"

namespace platform::headless {

// A simulated top-level window: its placement record is its state. Applying a record
// moves the window to the record's normal rectangle; a show command other than 0
// also sets its state and shows it.
class PlacedWindow : public IPlacedWindow {
public:
    WindowPlacement Placement() const override
    {
        WindowPlacement placement = Record;
        placement.ShowCmd = !IsVisible ? 1 : State == WindowState::Maximized ? 3 : State == WindowState::Minimized ? 2 : 1;
        return placement;
    }
    void SetPlacement(const WindowPlacement& placement) override
    {
        if (FailSetPlacement)
            throw Exception("The window's placement cannot be applied.");
        ++PlacementsApplied;
        Record = placement;
        if (placement.ShowCmd == 0)
            return;
        IsVisible = true;
        State = placement.ShowCmd == 3 ? WindowState::Maximized
                : (placement.ShowCmd == 2 || placement.ShowCmd == 6 || placement.ShowCmd == 7) ? WindowState::Minimized
                                                                                                : WindowState::Normal;
    }
    bool Visible() const override { return IsVisible; }
    bool Resizable() const override { return IsResizable; }
    PlacementRect Bounds() const override { return Record.NormalPosition; }
    bool CentredOnShow() const override { return Centred; }
    void KeepDesignedPosition() override { Centred = false; }
    void SetState(WindowState state) override { State = state; }
    bool ApplicationMinimized() const override { return AppMinimized; }
    void Repaint() override { ++Repaints; }

    WindowPlacement Record{0, 1, {-1, -1}, {-1, -1}, {164, 149, 860, 619}}; // 696 x 470, centred at 1024 x 768
    WindowState State = WindowState::Normal;
    bool IsVisible = true;
    bool IsResizable = true;
    bool Centred = true;
    bool AppMinimized = false;
    int Repaints = 0;
    int PlacementsApplied = 0;
    bool FailSetPlacement = false;
};

} // namespace platform::headless
