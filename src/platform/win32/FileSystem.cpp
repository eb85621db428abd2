#include "platform/win32/FileSystem.h"

#include <windows.h>

namespace platform::win32 {

bool FileSystem::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace platform::win32
