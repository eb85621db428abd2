#pragma once
#include <string>

namespace platform {

// The shell's special-folder ids (CSIDL values) the system asks for.
enum SpecialFolder : int {
    CsidlPrograms = 2,
    CsidlPersonal = 5,
    CsidlRecent = 8,
    CsidlDesktopDirectory = 16,
    CsidlCommonPrograms = 23,
};

class ISpecialFolders {
public:
    virtual ~ISpecialFolders() = default;
    // The folder's path, normally without a trailing backslash; the folder is not
    // created. Empty when the shell cannot resolve the id.
    virtual std::string Path(int csidl) = 0;
};

} // namespace platform
