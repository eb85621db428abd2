#pragma once
#include "platform/Modules.h"

namespace platform::win32 {

// LoadLibraryA, "CPlApplet" and LoadStringA; unloaded with FreeLibrary.
class Modules : public IModules {
public:
    std::string SystemDirectory() override;
    std::string ProgramPath() override;
    std::unique_ptr<IModule> Load(const std::string& path) override;
    void DebugOutput(const std::string& text) override;
};

} // namespace platform::win32
