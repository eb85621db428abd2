#pragma once
#include <cstddef>
#include <vector>

#include "platform/Screen.h"

namespace platform::headless {

class Screen : public IScreen {
public:
    int Width() const override { return ScreenWidth; }
    int Height() const override { return ScreenHeight; }
    int PixelsPerInch() const override { return Ppi; }
    int FrameWidth() const override { return FrameX; }
    int FrameHeight() const override { return FrameY; }
    // The area that overlaps the rectangle most; without overlap, the closest one.
    PlacementRect WorkAreaNearest(const PlacementRect& rect) const override;
    // The scale of the nearest work area's monitor: WorkAreaPpi's, or else Ppi.
    int PixelsPerInchNearest(const PlacementRect& rect) const override;

    // The monitors' work areas, the primary one first.
    std::vector<PlacementRect> WorkAreas{{0, 0, 1024, 768}};
    // The pixels per inch of each work area's monitor, in the same order; Ppi where missing.
    std::vector<int> WorkAreaPpi;
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    int Ppi = 96;
    int FrameX = 4;
    int FrameY = 4;

private:
    std::size_t NearestArea(const PlacementRect& rect) const;
};

} // namespace platform::headless
