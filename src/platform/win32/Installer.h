#pragma once
#include "platform/Installer.h"

namespace platform::win32 {

class Installer : public IInstaller {
public:
    std::optional<AdvertisedShortcut> GetShortcutTarget(const std::string& shortcut) override;
    std::optional<std::string> ProvideComponent(const AdvertisedShortcut& target) override;
    std::optional<std::string> InstalledKeyFile(const AdvertisedShortcut& target) override;
};

} // namespace platform::win32
