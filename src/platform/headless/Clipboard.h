#pragma once
#include <optional>
#include <string>

#include "common/Exception.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"

namespace platform::headless {

class Clipboard : public IClipboard {
public:
    std::string Text() override
    {
        if (HeldByAnotherProgram)
            throw Exception("Cannot open clipboard");
        return Contents.value_or("");
    }

    std::optional<std::string> Contents; // empty: the clipboard holds no text
    bool HeldByAnotherProgram = false;
};

// The user's answer to the next file-open dialog is set beforehand.
class FileDialogs : public IFileDialogs {
public:
    std::optional<std::string> OpenFile() override
    {
        ++TimesShown;
        return Pick;
    }

    std::optional<std::string> Pick; // empty: the user cancels
    int TimesShown = 0;
};

} // namespace platform::headless
