#pragma once
#include <optional>
#include <string>

namespace platform {

struct ShellLinkTarget {
    std::string Path;
    std::string Arguments;
    std::string WorkingDirectory;
};

// The shell-link object (.lnk files).
class IShellLinks {
public:
    virtual ~IShellLinks() = default;
    // Loads the link read-only and resolves it (any match, update allowed, the shell may
    // show its own search). Empty when loading or resolving fails. Throws Exception
    // when the shell-link object itself cannot be created.
    virtual std::optional<ShellLinkTarget> LoadAndResolve(const std::string& file) = 0;
};

} // namespace platform
