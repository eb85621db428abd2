#include "platform/win32/DroppedFiles.h"

#include <shellapi.h>

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
        char name[MAX_PATH] = {};
        if (DragQueryFileA(drop, i, name, MAX_PATH) != 0)
            names.emplace_back(name);
    }
    return names;
}

} // namespace platform::win32
