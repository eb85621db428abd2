#include "platform/win32/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

#include "platform/ErrorReport.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WindowClass.h"
#include "res/resource.h"

namespace platform::win32 {

namespace {
constexpr const char* ClassName = "ZephyrixTrayWindow";

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

    // The record's first version (88 bytes): a 64-character tip, understood by every shell.
    iconData_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    iconData_.hWnd = window_;
    iconData_.uID = 0;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.uCallbackMessage = CallbackMessage;
    iconData_.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON));
    if (iconData_.hIcon == nullptr)
        iconData_.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    const std::size_t tipLength = tip.size() < 63 ? tip.size() : 63;
    std::memcpy(iconData_.szTip, tip.data(), tipLength);
    iconData_.szTip[tipLength] = '\0';
    Shell_NotifyIconA(NIM_ADD, &iconData_); // without a notification area the application runs without its icon
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
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace platform::win32
