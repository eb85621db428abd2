#pragma once
#include <string>

namespace platform {

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // True for an existing file, false for a folder or nothing.
    virtual bool FileExists(const std::string& path) = 0;
    // True for an existing folder (a trailing backslash is allowed), false for a file or nothing.
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates the folder and any missing parents; true when the folder exists afterwards.
    virtual bool CreateFolderTree(const std::string& path) = 0;
    // Creates the file, or replaces one of that name, with exactly these bytes.
    // False when it cannot be written (bad name, path too long, missing folder, denied).
    virtual bool WriteNewFile(const std::string& path, const std::string& contents) = 0;
};

} // namespace platform
