#pragma once
#include "platform/ShellLinks.h"

namespace platform::win32 {

// IShellLinkA with IPersistFile. COM must be initialised on the calling thread.
class ShellLinks : public IShellLinks {
public:
    std::optional<ShellLinkTarget> LoadAndResolve(const std::string& file) override;
    std::optional<ShellLinkTarget> LoadStored(const std::string& file) override;
    LinkWriteResult WriteLink(const std::string& file, const ShellLinkDefinition& link) override;

private:
    static std::optional<ShellLinkTarget> Load(const std::string& file, bool resolve);
};

} // namespace platform::win32
