#include "platform/win32/Locale.h"

#include <windows.h>

#include <climits>
#include <iterator>
#include <memory>

namespace platform::win32 {

namespace {

// A text in UTF-16, converted with the process's code page. Catalogue names fit the
// buffer on the stack: sorting compares them millions of times and none should allocate.
class WideText {
public:
    explicit WideText(const std::string& text)
    {
        if (text.empty())
            return;
        if (text.size() > INT_MAX) {
            failed_ = true;
            return;
        }
        // No code page gives more UTF-16 units than it has bytes.
        if (text.size() > std::size(local_)) {
            heap_ = std::make_unique<wchar_t[]>(text.size());
            data_ = heap_.get();
        }
        length_ = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), data_,
                                      static_cast<int>(text.size()));
        failed_ = length_ <= 0;
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    bool Failed() const { return failed_; }
    const wchar_t* Data() const { return data_; }
    int Length() const { return length_; }

private:
    wchar_t local_[256];
    std::unique_ptr<wchar_t[]> heap_;
    wchar_t* data_ = local_; // a real pointer even when empty: the comparison refuses a null one
    int length_ = 0;
    bool failed_ = false;
};

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
    const WideText left(a);
    const WideText right(b);
    if (left.Failed() || right.Failed())
        return ByteOrder(a, b);
    // Lengths are passed so that embedded NULs take part and no terminator is needed.
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, left.Data(), left.Length(), right.Data(),
                                      right.Length());
    if (result == 0) // invalid arguments: fall back on byte order rather than calling texts equal
        return ByteOrder(a, b);
    return result - CSTR_EQUAL;
}

} // namespace platform::win32
