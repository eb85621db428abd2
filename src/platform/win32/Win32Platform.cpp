#include "platform/win32/Win32Platform.h"

#include "platform/win32/Dpi.h"

namespace platform::win32 {

void InstallWin32Platform()
{
    BecomeDpiAware(); // before the first window

    platform::Install(std::make_unique<Win32Platform>());
}

} // namespace platform::win32
