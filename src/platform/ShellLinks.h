#pragma once
#include <optional>
#include <string>

namespace platform {

struct ShellLinkTarget {
    std::string Path;
    std::string Arguments;
    std::string WorkingDirectory;
};

// Everything a new shortcut is made with. An empty working directory is not set at all.
struct ShellLinkDefinition {
    ShellLinkTarget Target;
    std::string Description;
    int ShowCommand = 1; // SW_SHOWNORMAL
    unsigned short Hotkey = 0;
};

enum class LinkWriteResult {
    Written,
    NotSaved,          // the object was made but the file could not be saved
    NoShellLinkObject, // the shell-link object or its file interface is unavailable
};

// The shell-link object (.lnk files).
class IShellLinks {
public:
    virtual ~IShellLinks() = default;
    // Loads the link read-only and resolves it (any match, update allowed, the shell may
    // show its own search). Empty when loading or resolving fails. Throws Exception
    // when the shell-link object itself cannot be created.
    virtual std::optional<ShellLinkTarget> LoadAndResolve(const std::string& file) = 0;
    // Loads the link read-only and gives what it stores, without resolving it (which an
    // advertised shortcut, having no target of its own, may not survive). Empty when it
    // cannot be loaded; throws like LoadAndResolve.
    virtual std::optional<ShellLinkTarget> LoadStored(const std::string& file) = 0;
    // Writes a new link file, replacing one of the same name; the file does not become
    // the object's current file. No icon location is set.
    virtual LinkWriteResult WriteLink(const std::string& file, const ShellLinkDefinition& link) = 0;
};

} // namespace platform
