#include "platform/win32/TrayIcon.h"

#include <shellapi.h>

#include <cstring>
#include <utility>

#include "platform/ErrorReport.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WindowClass.h"

namespace platform::win32 {

namespace {
constexpr const char* ClassName = "ZephyrixTrayWindow";

// Broadcast to top-level windows when the shell has made a new notification area.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

} // namespace

TrayIcon::TrayIcon(const std::string& tip)
{
    RegisterWindowClass(ClassName, DefWindowProcA);
    // A plain hidden top-level window rather than a message-only one: the shell's
    // notification area posts its callbacks to ordinary windows.
    window_ = CreateWindowExA(0, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (window_ == nullptr)
        RaiseLastOSError();
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayIcon::WindowProc));
    // Started with administrator rights, the program would otherwise not hear the
    // broadcast of the user's less privileged shell.
    ChangeWindowMessageFilterEx(window_, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);

    // The record's first version (88 bytes): a 64-character tip, understood by every shell.
    iconData_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    iconData_.hWnd = window_;
    iconData_.uID = 0;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.uCallbackMessage = CallbackMessage;
    const std::size_t tipLength = tip.size() < 63 ? tip.size() : 63;
    std::memcpy(iconData_.szTip, tip.data(), tipLength);
    iconData_.szTip[tipLength] = '\0';
}

bool TrayIcon::Add()
{
    // Drawn for the small-icon size of the current scale, which may have changed since
    // the last time: the shell would blur a scaled one.
    UniqueIcon icon = LoadProgramIcon(SmallIconSize(window_));
    iconData_.hIcon = icon ? icon.Get() : LoadIconA(nullptr, IDI_APPLICATION);
    // An icon the shell still shows (a second announcement of the same notification
    // area, or a new scale) takes the new drawing instead.
    const bool shown =
        Shell_NotifyIconA(NIM_ADD, &iconData_) != FALSE || Shell_NotifyIconA(NIM_MODIFY, &iconData_) != FALSE;
    icon_ = std::move(icon); // the shell keeps its own copy; the one it replaced can go
    return shown;
}

TrayIcon::~TrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &iconData_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void TrayIcon::MouseMessage(UINT mouseMessage)
{
    if (mouseMessage == WM_LBUTTONDOWN)
        RunHandler([this] { Fire(OnLeftDown); });
    else if (mouseMessage == WM_RBUTTONDOWN)
        RunHandler([this] { Fire(OnRightDown); });
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == CallbackMessage) {
        self->MouseMessage(static_cast<UINT>(lParam));
        return 0;
    }
    if (self != nullptr && message == TaskbarCreatedMessage()) {
        RunHandler([self] { Fire(self->OnNotificationAreaCreated); });
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace platform::win32
