#include "platform/win32/Locale.h"

#include <windows.h>

#include <climits>
#include <string_view>

namespace platform::win32 {

namespace {

// The text in UTF-16, in a buffer reused by each call on this thread: sorting a catalogue
// compares texts millions of times, and none of them should allocate.
std::wstring_view Widen(const std::string& text, std::wstring& buffer, bool& ok)
{
    ok = true;
    if (text.empty())
        return std::wstring_view(L"", 0); // a real pointer: the call refuses a null one

    if (text.size() > INT_MAX) {
        ok = false;
        return {};
    }
    buffer.resize(text.size()); // no code page gives more UTF-16 units than bytes
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), buffer.data(),
                                           static_cast<int>(buffer.size()));
    ok = length > 0;
    return std::wstring_view(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

int ByteOrder(const std::string& a, const std::string& b)
{
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

} // namespace

int Locale::CompareText(const std::string& a, const std::string& b)
{
    // CompareStringA converts with the code page of the user's locale, not the process's:
    // in the UTF-8 code page it would read "\xC3\xA9" as two Western letters and no longer
    // see "e" and "E" with an accent as one letter in two cases. So the texts are converted
    // with the process's code page and compared in UTF-16.
    thread_local std::wstring wideA;
    thread_local std::wstring wideB;
    bool convertedA = false;
    bool convertedB = false;
    const std::wstring_view left = Widen(a, wideA, convertedA);
    const std::wstring_view right = Widen(b, wideB, convertedB);
    if (!convertedA || !convertedB)
        return ByteOrder(a, b);
    // Lengths are passed so that embedded NULs take part and no terminator is needed.
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, left.data(), static_cast<int>(left.size()),
                                      right.data(), static_cast<int>(right.size()));
    if (result == 0) // invalid arguments: fall back on byte order rather than calling texts equal
        return ByteOrder(a, b);
    return result - CSTR_EQUAL;
}

} // namespace platform::win32
