#pragma once
#include <windows.h>

namespace platform::win32 {

// Registers a window class of this module; registering it again is not an error.
void RegisterWindowClass(const char* className, WNDPROC windowProc);

} // namespace platform::win32
