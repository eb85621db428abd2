#include "platform/headless/Screen.h"

#include <algorithm>
#include <limits>

namespace platform::headless {

namespace {

long long Overlap(const PlacementRect& a, const PlacementRect& b)
{
    const long long width = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
    const long long height = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

long long Gap(const PlacementRect& a, const PlacementRect& b)
{
    const long long dx = std::max({0, b.Left - a.Right, a.Left - b.Right});
    const long long dy = std::max({0, b.Top - a.Bottom, a.Top - b.Bottom});
    return dx * dx + dy * dy;
}

} // namespace

PlacementRect Screen::WorkAreaNearest(const PlacementRect& rect) const
{
    if (WorkAreas.empty())
        return {0, 0, ScreenWidth, ScreenHeight};
    const PlacementRect* best = &WorkAreas.front();
    long long bestOverlap = -1;
    long long bestGap = std::numeric_limits<long long>::max();
    for (const PlacementRect& area : WorkAreas) {
        const long long overlap = Overlap(rect, area);
        const long long gap = Gap(rect, area);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
            best = &area;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    return *best;
}

} // namespace platform::headless
