#pragma once
#include "platform/Installer.h"

namespace platform::win32 {

class Installer : public IInstaller {
public:
    unsigned GetShortcutTarget(const std::string& shortcut, AdvertisedShortcut& target) override;
    unsigned ProvideComponent(const AdvertisedShortcut& target, std::string& path) override;
};

} // namespace platform::win32
