#include "platform/win32/Directories.h"

#include <windows.h>

namespace platform::win32 {

namespace {
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
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            found.push_back({name, data.dwFileAttributes});
    } while (FindNextFileA(find.Get(), &data));
    return found;
}

} // namespace platform::win32
