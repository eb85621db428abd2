#pragma once
#include <string>

// The one place where a Win32 error code becomes the system's error text.
namespace platform::win32 {

std::string SystemErrorMessage(unsigned long code);
[[noreturn]] void RaiseOSError(unsigned long code);
[[noreturn]] void RaiseLastOSError();

} // namespace platform::win32
