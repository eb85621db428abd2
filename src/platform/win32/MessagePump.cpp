#include "platform/win32/MessagePump.h"

#include <windows.h>

#include "platform/win32/MessageLoop.h"

namespace platform::win32 {

bool PumpMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        // As Unicode, as the message loop does, so typed characters reach the edits whole.
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (PreTranslateFormMessage(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now < 50 ? deadline - now : 50),
                                  QS_ALLINPUT);
    }
}

} // namespace platform::win32
