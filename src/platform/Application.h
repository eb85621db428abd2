#pragma once

namespace platform {

// What the logic needs of the running application itself.
class IApplication {
public:
    virtual ~IApplication() = default;
    // Hides the main window when there is one; does nothing otherwise.
    virtual void HideMainWindow() = 0;
};

} // namespace platform
