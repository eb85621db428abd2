#pragma once
#include <string>
#include <vector>

namespace platform {

// File attribute bits, with the values Windows gives them.
namespace FileAttr {
constexpr unsigned ReadOnly = 0x01;
constexpr unsigned Hidden = 0x02;
constexpr unsigned System = 0x04;
constexpr unsigned Directory = 0x10;
constexpr unsigned Archive = 0x20;
} // namespace FileAttr

struct DirectoryEntry {
    std::string Name;
    unsigned Attributes = 0;
    bool IsFolder() const { return (Attributes & FileAttr::Directory) != 0; }
    bool IsHidden() const { return (Attributes & FileAttr::Hidden) != 0; }
};

// Directory enumeration with wildcards.
class IDirectories {
public:
    virtual ~IDirectories() = default;
    // The entries of the mask's folder whose names match the mask's last component
    // ("*" any run of characters, "?" one character, any letter case; "*.*" matches
    // every name), files and sub-folders of every attribute, in the file system's
    // order, without "." and "..". A folder that cannot be listed (missing, denied)
    // gives none.
    virtual std::vector<DirectoryEntry> Enumerate(const std::string& mask) = 0;
};

} // namespace platform
