#pragma once
#include <string>

namespace platform {

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // True for an existing file, false for a folder or nothing.
    virtual bool FileExists(const std::string& path) = 0;
};

} // namespace platform
