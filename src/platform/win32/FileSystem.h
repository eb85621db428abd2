#pragma once
#include "platform/FileSystem.h"

namespace platform::win32 {

class FileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& path) override;
};

} // namespace platform::win32
