#include "platform/headless/Screen.h"

#include <algorithm>
#include <limits>

namespace platform::headless {

namespace {

long long Overlap(const PlacementRect& a, const PlacementRect& b)
{
    const long long width = static_cast<long long>(std::min(a.Right, b.Right)) - std::max(a.Left, b.Left);
    const long long height = static_cast<long long>(std::min(a.Bottom, b.Bottom)) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

long long Gap(const PlacementRect& a, const PlacementRect& b)
{
    const long long dx =
        std::max({0LL, static_cast<long long>(b.Left) - a.Right, static_cast<long long>(a.Left) - b.Right});
    const long long dy =
        std::max({0LL, static_cast<long long>(b.Top) - a.Bottom, static_cast<long long>(a.Top) - b.Bottom});
    return dx * dx + dy * dy;
}

} // namespace

PlacementRect Screen::WorkAreaNearest(const PlacementRect& rect) const
{
    if (WorkAreas.empty())
        return {0, 0, ScreenWidth, ScreenHeight};
    return WorkAreas[NearestArea(rect)];
}

int Screen::PixelsPerInchNearest(const PlacementRect& rect) const
{
    const std::size_t area = WorkAreas.empty() ? 0 : NearestArea(rect);
    return area < WorkAreaPpi.size() ? WorkAreaPpi[area] : Ppi;
}

std::size_t Screen::NearestArea(const PlacementRect& rect) const
{
    std::size_t best = 0;
    long long bestOverlap = -1;
    long long bestGap = std::numeric_limits<long long>::max();
    for (std::size_t area = 0; area < WorkAreas.size(); ++area) {
        const long long overlap = Overlap(rect, WorkAreas[area]);
        const long long gap = Gap(rect, WorkAreas[area]);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
            best = area;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    return best;
}

} // namespace platform::headless
