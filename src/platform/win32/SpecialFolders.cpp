#include "platform/win32/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

namespace platform::win32 {

std::string SpecialFolders::Path(int csidl)
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return {};
    return path;
}

} // namespace platform::win32
