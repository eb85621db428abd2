#pragma once
#include "platform/TopLevelWindows.h"

namespace platform::win32 {

// The desktop's top-level windows through EnumWindows and friends.
class TopLevelWindows : public ITopLevelWindows {
public:
    std::vector<WindowHandle> List() override;
    bool IsVisible(WindowHandle window) override;
    std::string Title(WindowHandle window) override;
    bool Exists(WindowHandle window) override;
    bool IsMinimized(WindowHandle window) override;
    void Restore(WindowHandle window) override;
    void BringToFront(WindowHandle window) override;
};

} // namespace platform::win32
