#include "platform/win32/Directories.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace platform::win32 {

namespace {

// In the UTF-8 code page a long name can take more bytes than cFileName holds (MAX_PATH);
// the system then leaves it cut and without its ending zero. A cut name names some other
// file, or none, so the short name, which names this one, is taken instead; empty when
// there is none.
template <std::size_t N>
std::string Terminated(const char (&field)[N])
{
    return std::string(field, std::find(field, field + N, '\0'));
}

std::string EntryName(const WIN32_FIND_DATAA& data)
{
    if (std::find(std::begin(data.cFileName), std::end(data.cFileName), '\0') != std::end(data.cFileName))
        return data.cFileName;
    return Terminated(data.cAlternateFileName);
}

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
} // namespace

std::vector<DirectoryEntry> Directories::Enumerate(const std::string& mask)
{
    std::vector<DirectoryEntry> found;
    WIN32_FIND_DATAA data;
    // Every attribute is listed; a folder that is gone or denied simply lists nothing.
    const FindHandle find(FindFirstFileA(mask.c_str(), &data));
    if (!find.Valid())
        return found;
    do {
        const std::string name = EntryName(data);
        if (!name.empty() && name != "." && name != "..")
            found.push_back({name, data.dwFileAttributes});
    } while (FindNextFileA(find.Get(), &data));
    return found;
}

} // namespace platform::win32
