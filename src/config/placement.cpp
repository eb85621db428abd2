#include "config/placement.h"

#include <algorithm>
#include <vector>

#include "config/PlacementStore.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {

std::string ScreenSuffix()
{
    const auto& screen = platform::Screen();
    // Appended piece by piece: "(" + a temporary trips a false -Wrestrict in GCC 12.
    std::string suffix = "(";
    suffix += std::to_string(screen.Width());
    suffix += "x";
    suffix += std::to_string(screen.Height());
    suffix += ")";
    return suffix;
}

std::string FourNumbers(int a, int b, int c, int d)
{
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," + std::to_string(d);
}

// The comma-separated words of a stored position, each in its place: an empty word
// is a value that takes its default, not a reason to shift the ones after it.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + ",") {
        if (c != ',') {
            word += c;
        } else {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

// The rectangle moved, and shrunk where it is larger, so that it lies whole inside the
// work area. Windows itself moves a window back only when none of it is on a screen;
// one left mostly off a monitor that is gone, or with its caption above the work
// area, could not be reached with the mouse.
platform::PlacementRect WholeInside(platform::PlacementRect rect, const platform::PlacementRect& area)
{
    const int width = std::min(rect.Right - rect.Left, area.Right - area.Left);
    const int height = std::min(rect.Bottom - rect.Top, area.Bottom - area.Top);
    rect.Left = std::clamp(rect.Left, area.Left, area.Right - width);
    rect.Top = std::clamp(rect.Top, area.Top, area.Bottom - height);
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return rect;
}

// Far beyond any desktop Windows can make (its coordinates stay within 16 bits): a
// rectangle reaching further was not saved by a window, and its sizes could overflow.
constexpr int FarthestCoordinate = 1000000;

bool Plausible(const platform::PlacementRect& rect)
{
    for (const int coordinate : {rect.Left, rect.Top, rect.Right, rect.Bottom})
        if (coordinate < -FarthestCoordinate || coordinate > FarthestCoordinate)
            return false;
    return true;
}

// The scales Windows offers run from 100 % to 500 % of 96 pixels per inch; a stored
// value far outside them is not one a window saved.
constexpr int LeastPixelsPerInch = 48;
constexpr int MostPixelsPerInch = 960;

// The rectangle's size in the pixels of another scale; its top left corner stays.
platform::PlacementRect AtScale(platform::PlacementRect rect, int from, int to)
{
    const auto scaled = [from, to](int length) { return static_cast<int>(static_cast<long long>(length) * to / from); };
    rect.Right = rect.Left + scaled(rect.Right - rect.Left);
    rect.Bottom = rect.Top + scaled(rect.Bottom - rect.Top);
    return rect;
}

int Word(const std::vector<std::string>& words, std::size_t index, int defaultValue)
{
    return index < words.size() ? StrToIntDef(words[index], defaultValue) : defaultValue;
}

// A value written at this screen size wins over the one written at any size.
std::string ReadPosition(const TPlacementStore& store, const std::string& name)
{
    const std::string sized = store.ReadString(name + ScreenSuffix());
    return sized.empty() ? store.ReadString(name) : sized;
}

platform::WindowState StateOfShowCmd(int showCmd)
{
    switch (showCmd) {
    case 3: return platform::WindowState::Maximized; // SW_SHOWMAXIMIZED
    case 2: case 6: case 7: return platform::WindowState::Minimized;
    default: return platform::WindowState::Normal; // 1, 5, 9, and the main window's default
    }
}

} // namespace

TFormPlacement::TFormPlacement(platform::IPlacedWindow& window, std::string section)
    : window_(window), section_(std::move(section))
{
}

void TFormPlacement::SavePlacement()
{
    if (!Restored)
        return;
    TPlacementStore store(IniFileName, section_, TPlacementStore::Access::Write);
    store.WriteInteger("FormVersion", Version);

    platform::WindowPlacement placement = window_.Placement();
    if (window_.ApplicationMinimized())
        placement.ShowCmd = 2; // SW_SHOWMINIMIZED
    store.WriteInteger("Flags", placement.Flags);
    store.WriteInteger("ShowCmd", placement.ShowCmd);
    // The scale of the monitor the window is on, in whose pixels the rectangle is.
    store.WriteInteger("PixelsPerInch", platform::Screen().PixelsPerInchNearest(placement.NormalPosition));

    const std::string minMax = FourNumbers(placement.MinPosition.X, placement.MinPosition.Y, placement.MaxPosition.X,
                                           placement.MaxPosition.Y);
    const auto& normal = placement.NormalPosition;
    const std::string norm = FourNumbers(normal.Left, normal.Top, normal.Right, normal.Bottom);
    const std::string suffix = ScreenSuffix();
    store.WriteString("MinMaxPos" + suffix, minMax);
    store.WriteString("MinMaxPos", minMax);
    store.WriteString("NormPos" + suffix, norm);
    store.WriteString("NormPos", norm);

    store.WriteString("Visible", Destroying ? "1" : "0");
    Saved = true;
}

void TFormPlacement::RestorePlacement()
{
    Saved = false;
    {
        TPlacementStore store(IniFileName, section_, TPlacementStore::Access::Read);
        if (store.ReadInteger("FormVersion", 0) >= Version) {
            ApplyStoredPosition(store);
            ApplyStoredState(store);
        }
        Restored = true;
    }
    PushMaximizedFrameOffScreen();
}

void TFormPlacement::ApplyStoredPosition(TPlacementStore& store)
{
    platform::WindowPlacement placement = window_.Placement();
    if (!window_.Visible())
        placement.ShowCmd = 0; // applying it must not show the window
    placement.Flags = static_cast<unsigned>(store.ReadInteger("Flags", static_cast<int>(placement.Flags)));

    bool found = false;
    const std::string minMax = ReadPosition(store, "MinMaxPos");
    if (!minMax.empty()) {
        const auto words = Words(minMax);
        placement.MinPosition = {Word(words, 0, 0), Word(words, 1, 0)};
        placement.MaxPosition = {Word(words, 2, 0), Word(words, 3, 0)};
        found = true;
    }
    const platform::PlacementRect bounds = window_.Bounds();
    auto& normal = placement.NormalPosition;
    const std::string norm = ReadPosition(store, "NormPos");
    if (!norm.empty()) {
        const auto words = Words(norm);
        normal = {Word(words, 0, bounds.Left), Word(words, 1, bounds.Top), Word(words, 2, bounds.Right),
                  Word(words, 3, bounds.Bottom)};
        found = true;
    }

    if (!found || !Plausible(normal))
        return;
    // The rectangle is in the pixels of the monitor the window was on: on a monitor of
    // another scale it comes back at the size it had there, not at its pixel count.
    const int pixelsPerInch = platform::Screen().PixelsPerInchNearest(normal);
    const int storedPixelsPerInch = store.ReadInteger("PixelsPerInch", pixelsPerInch);
    if (storedPixelsPerInch < LeastPixelsPerInch || storedPixelsPerInch > MostPixelsPerInch)
        return;
    normal = AtScale(normal, storedPixelsPerInch, pixelsPerInch);
    if (!window_.Resizable()) {
        normal.Right = normal.Left + (bounds.Right - bounds.Left);
        normal.Bottom = normal.Top + (bounds.Bottom - bounds.Top);
    }
    if (normal.Right > normal.Left) {
        normal = WholeInside(normal, platform::Screen().WorkAreaNearest(normal));
        if (window_.CentredOnShow())
            window_.KeepDesignedPosition();
        window_.SetPlacement(placement);
    }
}

void TFormPlacement::ApplyStoredState(TPlacementStore& store)
{
    platform::WindowState state = StateOfShowCmd(store.ReadInteger("ShowCmd", 0));
    // The window is only ever restored because it is being shown on request:
    // coming up minimized would hide it again, on every showing.
    if (state == platform::WindowState::Minimized)
        state = platform::WindowState::Normal;
    window_.SetState(state);
    window_.Repaint();
}

void TFormPlacement::PushMaximizedFrameOffScreen()
{
    // A maximized window's resizable frame lies just outside the screen.
    platform::WindowPlacement placement = window_.Placement();
    if (!window_.Visible())
        placement.ShowCmd = 0;
    placement.MaxPosition = {-platform::Screen().FrameWidth(), -platform::Screen().FrameHeight()};
    window_.SetPlacement(placement);
}

void TFormPlacement::FormShow()
{
    platform::RunHandler([this] { RestorePlacement(); });
}

void TFormPlacement::FormCloseQuery(bool canClose, bool windowExists)
{
    if (canClose && windowExists)
        platform::RunHandler([this] { SavePlacement(); });
}

void TFormPlacement::FormDestroy()
{
    if (Saved)
        return;
    Destroying = true;
    platform::RunHandler([this] { SavePlacement(); });
    Destroying = false;
}
