#pragma once
#include <string>

namespace platform {

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // The clipboard's text in the ANSI code page; empty when it holds no text.
    // Throws Exception("Cannot open clipboard") while another program holds it open.
    virtual std::string Text() = 0;
};

} // namespace platform
