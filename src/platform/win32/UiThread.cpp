#include "platform/win32/UiThread.h"

#include <memory>

#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

constexpr UINT CallMessage = WM_APP + 1;
constexpr char WindowClass[] = "ZephyrixUiThreadCalls";

using PostedCall = std::shared_ptr<UiCall>;

LRESULT CALLBACK CallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CallMessage) {
        const std::unique_ptr<PostedCall> call(reinterpret_cast<PostedCall*>(lParam));
        (*call)->Run(); // never throws: an error goes back to the waiting thread
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE ThisModule()
{
    return GetModuleHandleA(nullptr);
}

} // namespace

UiThread::UiThread()
{
    static const ATOM registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CallWindowProc;
        windowClass.hInstance = ThisModule();
        windowClass.lpszClassName = WindowClass;
        return RegisterClassA(&windowClass);
    }();
    if (registered == 0)
        RaiseLastOSError();
    // A message-only window: never shown, not enumerated with the top-level windows.
    window_.Reset(CreateWindowExA(0, WindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr));
    if (!window_)
        RaiseLastOSError();
}

UiThread::~UiThread()
{
    // Calls still queued would be lost with the window and leave their callers waiting.
    MSG message;
    while (PeekMessageA(&message, window_.Get(), CallMessage, CallMessage, PM_REMOVE)) {
        const std::unique_ptr<PostedCall> call(reinterpret_cast<PostedCall*>(message.lParam));
        (*call)->Withdraw();
    }
}

bool UiThread::RunAndWait(std::function<void()> work, std::stop_token stop)
{
    // Posted rather than sent: a sent message cannot be taken back, so a user-interface
    // thread that stops the caller while the call is pending would wait for it forever.
    auto call = std::make_shared<UiCall>(std::move(work));
    auto posted = std::make_unique<PostedCall>(call);
    if (!PostMessageA(window_.Get(), CallMessage, 0, reinterpret_cast<LPARAM>(posted.get())))
        RaiseLastOSError();
    posted.release(); // the window procedure owns it now
    return call->Wait(stop);
}

} // namespace platform::win32
