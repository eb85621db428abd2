#pragma once
#include "platform/Screen.h"

namespace platform::win32 {

class Screen : public IScreen {
public:
    int Width() const override;
    int Height() const override;
    int PixelsPerInch() const override;
    int FrameWidth() const override;
    int FrameHeight() const override;
    PlacementRect WorkAreaNearest(const PlacementRect& rect) const override;
    int PixelsPerInchNearest(const PlacementRect& rect) const override;
};

} // namespace platform::win32
