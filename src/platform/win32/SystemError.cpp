#include "platform/win32/SystemError.h"

#include <windows.h>

#include "common/Exception.h"

namespace platform::win32 {

std::string SystemErrorMessage(unsigned long code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string message = length != 0 ? std::string(buffer, length) : std::string();
    if (buffer != nullptr)
        LocalFree(buffer);
    // The system's texts end in ".\r\n"; the error report adds the full stop itself.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
    if (message.empty())
        message = "System error, code " + std::to_string(code);
    return message;
}

void RaiseOSError(unsigned long code)
{
    throw Exception(SystemErrorMessage(code));
}

void RaiseLastOSError()
{
    RaiseOSError(GetLastError());
}

} // namespace platform::win32
