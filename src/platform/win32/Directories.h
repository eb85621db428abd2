#pragma once
#include "platform/Directories.h"

namespace platform::win32 {

// FindFirstFileA / FindNextFileA.
class Directories : public IDirectories {
public:
    std::vector<DirectoryEntry> Enumerate(const std::string& mask) override;
};

} // namespace platform::win32
