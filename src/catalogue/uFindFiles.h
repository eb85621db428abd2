#pragma once
#include <functional>
#include <string>

// Empty for an empty folder; otherwise the folder, a "\" unless it ends with one, then the name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Reports every directory entry matching a mask, in a folder and, depth-first, in
// its sub-folders that are not hidden.
class TRecursiveFindFiles {
public:
    // Called with the finder and the full path of each match; matches are passed over when unset.
    std::function<void(TRecursiveFindFiles& sender, const std::string& path)> OnFile;

    // mask: a full path whose last component is a wildcard pattern, such as C:\X\*.LNK.
    void FindFiles(const std::string& mask, bool descend);
};
