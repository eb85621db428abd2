#include "platform/win32/WindowClass.h"

#include "platform/win32/SystemError.h"

namespace platform::win32 {

void RegisterWindowClass(const char* className, WNDPROC windowProc)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        RaiseLastOSError();
}

} // namespace platform::win32
