#pragma once
#include "platform/Shell.h"

namespace platform::win32 {

class Shell : public IShell {
public:
    bool Open(const std::string& file, const std::optional<std::string>& parameters,
              const std::optional<std::string>& directory, int showCommand) override;
    void ControlRunDll(const std::string& commandLine, int showCommand) override;
};

} // namespace platform::win32
