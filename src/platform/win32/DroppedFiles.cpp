#include "platform/win32/DroppedFiles.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/AnsiText.h"

namespace platform::win32 {

namespace {

// Releases the drop's memory however the names are taken.
class DropRelease {
public:
    explicit DropRelease(HDROP drop) : drop_(drop) {}
    ~DropRelease() { DragFinish(drop_); }
    DropRelease(const DropRelease&) = delete;
    DropRelease& operator=(const DropRelease&) = delete;

private:
    HDROP drop_;
};

} // namespace

void AcceptDroppedFiles(HWND window)
{
    DragAcceptFiles(window, TRUE);
}

std::vector<std::string> TakeDroppedFiles(HDROP drop)
{
    const DropRelease release(drop);
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: in the UTF-8 code page a name of MAX_PATH
        // characters can take three times as many bytes.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::string name(std::max<std::size_t>(length + 1, AnsiPathBufferSize), '\0');
        if (DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size())) != 0)
            names.emplace_back(name.c_str());
    }
    return names;
}

} // namespace platform::win32
