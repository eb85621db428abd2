#include "platform/win32/UiThread.h"

#include <memory>

#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

constexpr UINT CallMessage = WM_APP + 1;

using PostedCall = std::shared_ptr<UiCall>;

std::unique_ptr<PostedCall> ReceiveCall(LPARAM lParam)
{
    return std::unique_ptr<PostedCall>(reinterpret_cast<PostedCall*>(lParam));
}

} // namespace

UiThread::UiThread()
    : window_([](UINT message, WPARAM, LPARAM lParam) {
          if (message == CallMessage)
              (*ReceiveCall(lParam))->Run(); // never throws: an error goes back to the caller
      })
{
}

UiThread::~UiThread()
{
    // The window drops what is still queued for it, which would leave the callers waiting.
    // PeekMessage hands out a pending WM_QUIT whatever the filter: it is no call, and
    // it goes back for the loop that is ending.
    MSG message;
    while (PeekMessageA(&message, window_.Handle(), CallMessage, CallMessage, PM_REMOVE)) {
        if (message.message != CallMessage) {
            if (message.message == WM_QUIT)
                PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        (*ReceiveCall(message.lParam))->Withdraw();
    }
}

bool UiThread::RunAndWait(std::function<void()> work, std::stop_token stop)
{
    // Posted rather than sent: a sent message cannot be taken back, so a user-interface
    // thread that stops the caller while the call is pending would wait for it forever.
    auto call = std::make_shared<UiCall>(std::move(work));
    auto posted = std::make_unique<PostedCall>(call);
    if (!PostMessageA(window_.Handle(), CallMessage, 0, reinterpret_cast<LPARAM>(posted.get())))
        RaiseLastOSError();
    posted.release(); // the window's handler owns it now
    return call->Wait(stop);
}

} // namespace platform::win32
