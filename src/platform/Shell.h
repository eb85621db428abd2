#pragma once
#include <optional>
#include <string>

namespace platform {

constexpr int ShowNormal = 1; // SW_SHOWNORMAL
constexpr int ShowShow = 5;   // SW_SHOW

class IShell {
public:
    virtual ~IShell() = default;
    // The shell's "open" verb on a file, folder, document or web address, with no owner window.
    // An absent parameter or directory is passed as a null pointer, an empty one as "".
    // True when the shell accepted the request; a refusal may already have been shown by
    // the shell itself.
    virtual bool Open(const std::string& file, const std::optional<std::string>& parameters,
                      const std::optional<std::string>& directory, int showCommand) = 0;
    // Control_RunDLL with the application's owner window and a null module instance.
    // Returns when the applet is closed; the message loop may run meanwhile.
    virtual void ControlRunDll(const std::string& commandLine, int showCommand) = 0;
};

} // namespace platform
