#include "platform/win32/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/AnsiText.h"

namespace platform::win32 {

std::string SpecialFolders::Path(int csidl)
{
    // The call takes no buffer size and assumes MAX_PATH bytes. In the UTF-8 code page a
    // folder's name can need more: the system then fails, or (Wine) fills MAX_PATH bytes
    // with no ending zero. A cut path names some other folder, so it counts as no folder.
    std::vector<char> path(AnsiPathBufferSize, '\0');
    if (!SHGetSpecialFolderPathA(nullptr, path.data(), csidl, FALSE))
        return {};
    const auto length = static_cast<std::size_t>(std::find(path.begin(), path.end(), '\0') - path.begin());
    if (length >= MAX_PATH)
        return {};
    return std::string(path.data(), length);
}

} // namespace platform::win32
