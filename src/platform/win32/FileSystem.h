#pragma once
#include "platform/FileSystem.h"

namespace platform::win32 {

class FileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    bool CreateFolderTree(const std::string& path) override;
    bool WriteNewFile(const std::string& path, const std::string& contents) override;
};

} // namespace platform::win32
