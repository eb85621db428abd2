#pragma once
#include <optional>
#include <string>

namespace platform {

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The plain file-open dialog (no filter, no title), owned by the main window.
    // The full path of the picked file; none when the user cancels.
    virtual std::optional<std::string> OpenFile() = 0;
};

} // namespace platform
