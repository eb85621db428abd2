#include "platform/win32/Locale.h"

#include <windows.h>

namespace platform::win32 {

int Locale::CompareText(const std::string& a, const std::string& b)
{
    // Lengths are passed so that embedded NULs take part and no terminator is needed.
    const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
    if (result == 0) // invalid arguments: fall back on byte order rather than calling texts equal
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return result - CSTR_EQUAL;
}

} // namespace platform::win32
