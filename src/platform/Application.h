#pragma once
#include <string>

namespace platform {

enum class ScreenCursor { Default, Hourglass };

// What the logic needs of the running application itself.
class IApplication {
public:
    virtual ~IApplication() = default;
    // Hides the main window when there is one; does nothing otherwise.
    virtual void HideMainWindow() = 0;
    // The application's error report: a message box captioned with the application
    // title, with the error icon, showing the text as given (see ReportError).
    virtual void ShowError(const std::string& text) = 0;
    virtual void SetScreenCursor(ScreenCursor cursor) = 0;
};

} // namespace platform
