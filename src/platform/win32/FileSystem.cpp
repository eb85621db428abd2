#include "platform/win32/FileSystem.h"

#include <windows.h>

#include "platform/win32/Handles.h"

namespace platform::win32 {

bool FileSystem::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileSystem::DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileSystem::CreateFolderTree(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    if (folder.empty())
        return false;
    if (DirectoryExists(folder))
        return true;
    const std::size_t separator = folder.find_last_of('\\');
    // Stops at a drive or share root, which CreateDirectory cannot make anyway.
    if (separator != std::string::npos && separator > 0 && folder.find_first_not_of('\\') < separator) {
        const std::string parent = folder.substr(0, separator);
        if (parent != folder && !CreateFolderTree(parent))
            return false;
    }
    // Another process may have made it meanwhile: what counts is that it exists.
    CreateDirectoryA(folder.c_str(), nullptr);
    return DirectoryExists(folder);
}

bool FileSystem::WriteNewFile(const std::string& path, const std::string& contents)
{
    HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    UniqueKernelHandle file(opened);
    DWORD written = 0;
    return WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
           written == contents.size();
}

} // namespace platform::win32
