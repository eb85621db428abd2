#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A top-level window of the desktop; it may close at any moment, so every
// operation accepts a handle that no longer names a window.
using WindowHandle = std::uintptr_t;

class ITopLevelWindows {
public:
    // The longest title read, in bytes: a buffer of 1024 with its ending zero. A longer
    // title is cut at a whole character, so it may come back a few bytes shorter.
    static constexpr std::size_t MaxTitleLength = 1023;

    virtual ~ITopLevelWindows() = default;
    // Every top-level window, in the order the system reports them.
    virtual std::vector<WindowHandle> List() = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    // At most MaxTitleLength bytes of whole characters; empty for a window without title or one that is gone.
    virtual std::string Title(WindowHandle window) = 0;
    virtual bool Exists(WindowHandle window) = 0;
    virtual bool IsMinimized(WindowHandle window) = 0;
    // Undoes a minimize (SW_RESTORE).
    virtual void Restore(WindowHandle window) = 0;
    // Asks for the window to become the foreground window; the answer is not reported.
    virtual void BringToFront(WindowHandle window) = 0;
};

} // namespace platform
