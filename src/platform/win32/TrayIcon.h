#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/Widgets.h"
#include "platform/win32/ProgramIcon.h"

namespace platform::win32 {

// The notification-area icon with its invisible callback window; the shell
// reports mouse activity on the icon as message 1025 to that window.
class TrayIcon : public ITrayIcon {
public:
    static constexpr UINT CallbackMessage = WM_USER + 1;

    explicit TrayIcon(const std::string& tip);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    bool Add() override;

    HWND CallbackWindow() const { return window_; }
    // What the callback window does with the mouse message the shell reports.
    void MouseMessage(UINT mouseMessage);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    NOTIFYICONDATAA iconData_{};
    UniqueIcon icon_;
};

} // namespace platform::win32
