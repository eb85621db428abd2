#pragma once
#include <windows.h>

#include "common/ProgramNames.h"
#include "platform/Application.h"

namespace platform::win32 {

class Application : public IApplication {
public:
    void HideMainWindow() override;
    void ShowError(const std::string& text) override;
    void SetScreenCursor(ScreenCursor cursor) override;

    static constexpr const char* Title = ApplicationTitle;

    // The main window, once the application has created it; null before and after.
    static void SetMainWindow(HWND window);
    // The owner window for the shell's own dialogs.
    static HWND OwnerWindow();
};

} // namespace platform::win32
