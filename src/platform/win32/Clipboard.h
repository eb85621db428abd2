#pragma once
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"

namespace platform::win32 {

class Clipboard : public IClipboard {
public:
    std::string Text() override;
};

// GetOpenFileNameA, owned by the main window.
class FileDialogs : public IFileDialogs {
public:
    std::optional<std::string> OpenFile() override;
};

} // namespace platform::win32
