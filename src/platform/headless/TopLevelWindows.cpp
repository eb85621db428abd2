#include "platform/headless/TopLevelWindows.h"

#include <algorithm>

#include "common/Utf8.h"

namespace platform::headless {

std::vector<WindowHandle> TopLevelWindows::List()
{
    return order_;
}

bool TopLevelWindows::IsVisible(WindowHandle window)
{
    const Window* found = Find(window);
    return found != nullptr && found->Visible;
}

std::string TopLevelWindows::Title(WindowHandle window)
{
    const Window* found = Find(window);
    if (found == nullptr)
        return {};
    return CutUtf8(found->Title, MaxTitleLength);
}

bool TopLevelWindows::IsMinimized(WindowHandle window)
{
    const Window* found = Find(window);
    return found != nullptr && found->Shown == State::Minimized;
}

void TopLevelWindows::Restore(WindowHandle window)
{
    RestoreCalls.push_back(window);
    if (Window* found = Find(window)) {
        found->Shown = State::Normal;
        found->Visible = true;
    }
}

void TopLevelWindows::BringToFront(WindowHandle window)
{
    if (Find(window) != nullptr)
        Foreground = window;
}

WindowHandle TopLevelWindows::Open(const std::string& title, bool visible, State shown)
{
    const WindowHandle window = next_;
    next_ += 4;
    windows_[window] = Window{title, visible, shown};
    order_.push_back(window);
    return window;
}

void TopLevelWindows::Close(WindowHandle window)
{
    windows_.erase(window);
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
    if (Foreground == window)
        Foreground = 0;
}

TopLevelWindows::Window* TopLevelWindows::Find(WindowHandle window)
{
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

} // namespace platform::headless
