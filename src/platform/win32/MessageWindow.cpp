#include "platform/win32/MessageWindow.h"

#include "platform/ErrorReport.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WindowClass.h"

namespace platform::win32 {

namespace {
constexpr const char* ClassName = "ZephyrixMessageWindow";
} // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler))
{
    RegisterWindowClass(ClassName, &MessageWindow::WindowProc);
    window_ = CreateWindowExA(0, ClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (window_ == nullptr)
        RaiseLastOSError();
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow()
{
    // Messages still queued for the window are dropped with it.
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || (message != WM_TIMER && message < WM_APP))
        return DefWindowProcA(window, message, wParam, lParam);
    // The handler may destroy its window; it runs from a copy. No exception may cross
    // the system's frames: it is reported here and the loop goes on.
    const Handler handler = self->handler_;
    RunHandler([&] { handler(message, wParam, lParam); });
    return 0;
}

} // namespace platform::win32
