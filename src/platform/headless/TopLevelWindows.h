#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/TopLevelWindows.h"

namespace platform::headless {

// Simulated desktop windows, reported in the order they were opened.
class TopLevelWindows : public ITopLevelWindows {
public:
    enum class State { Normal, Minimized, Maximized };
    struct Window {
        std::string Title;
        bool Visible = true;
        State Shown = State::Normal;
    };

    std::vector<WindowHandle> List() override;
    bool IsVisible(WindowHandle window) override;
    std::string Title(WindowHandle window) override;
    bool Exists(WindowHandle window) override { return Find(window) != nullptr; }
    bool IsMinimized(WindowHandle window) override;
    void Restore(WindowHandle window) override;
    void BringToFront(WindowHandle window) override;

    // Test set-up and user actions.
    WindowHandle Open(const std::string& title, bool visible = true, State shown = State::Normal);
    void Close(WindowHandle window);
    Window* Find(WindowHandle window);

    WindowHandle Foreground = 0;
    // Every Restore asked for, also of windows that were not minimized.
    std::vector<WindowHandle> RestoreCalls;

private:
    std::vector<WindowHandle> order_;
    std::map<WindowHandle, Window> windows_;
    WindowHandle next_ = 0x10010;
};

} // namespace platform::headless
