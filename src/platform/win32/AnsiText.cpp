#include "platform/win32/AnsiText.h"

#include <climits>

namespace platform::win32 {

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    // No code page gives more UTF-16 units than it has bytes.
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return wide;
}

std::string WideToAnsi(std::wstring_view text)
{
    if (text.empty() || text.size() > INT_MAX / MaxBytesPerSystemChar)
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

} // namespace platform::win32
