#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Control Panel module messages.
constexpr std::uint32_t CplInit = 1;
constexpr std::uint32_t CplGetCount = 2;
constexpr std::uint32_t CplInquire = 3;

// What a module reports for one applet with CplInquire.
struct CplInfo {
    std::int32_t IdIcon = 0;
    std::int32_t IdName = 0;
    std::int32_t IdInfo = 0;
    std::intptr_t Data = 0;
};

// A loaded module; unloaded when destroyed.
class IModule {
public:
    virtual ~IModule() = default;
    virtual bool HasControlPanelEntry() = 0;
    // Calls the module's "CPlApplet" with the application's owner window. info is read
    // and written back around the call, for CplInquire; other messages pass 0.
    virtual std::int32_t CallControlPanel(std::uint32_t message, std::int32_t param1, CplInfo* info) = 0;
    // The string resource of that id, cut at a whole character to at most bufferChars - 1
    // bytes (a buffer of bufferChars with its ending zero); empty when the module has no
    // such string.
    virtual std::string ReadString(std::uint32_t id, int bufferChars) = 0;
};

// Loading modules, and the kernel's places and outputs around them.
class IModules {
public:
    virtual ~IModules() = default;
    virtual std::string SystemDirectory() = 0;
    // The full path of the running program's own file.
    virtual std::string ProgramPath() = 0;
    // Null when the module cannot be loaded.
    virtual std::unique_ptr<IModule> Load(const std::string& path) = 0;
    // Text for an attached debugger (OutputDebugStringA).
    virtual void DebugOutput(const std::string& text) = 0;
};

} // namespace platform
