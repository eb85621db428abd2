#include "platform/win32/Win32Platform.h"

namespace platform::win32 {

void InstallWin32Platform()
{
    platform::Install(std::make_unique<Win32Platform>());
}

} // namespace platform::win32
