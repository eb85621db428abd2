#pragma once
#include "platform/WindowPlacement.h"

namespace platform {

// The primary screen's metrics.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Logical pixels per inch.
    virtual int PixelsPerInch() const = 0;
    // The thickness of a resizable window's frame (SM_CXFRAME, SM_CYFRAME).
    virtual int FrameWidth() const = 0;
    virtual int FrameHeight() const = 0;
    // The work area (the monitor without its taskbars) of the monitor nearest to the
    // rectangle, both in the coordinates of placement records.
    virtual PlacementRect WorkAreaNearest(const PlacementRect& rect) const = 0;
    // The pixels per inch of the monitor nearest to the rectangle (placement
    // coordinates): each monitor has its own scale.
    virtual int PixelsPerInchNearest(const PlacementRect& rect) const = 0;
};

} // namespace platform
