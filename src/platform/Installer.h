#pragma once
#include <string>

namespace platform {

struct AdvertisedShortcut {
    std::string ProductCode;
    std::string FeatureId;
    std::string ComponentCode;
};

// Windows Installer. Results are the installer's codes: 0 is success.
class IInstaller {
public:
    virtual ~IInstaller() = default;
    // 0 exactly when the file is an advertised shortcut; then fills target.
    virtual unsigned GetShortcutTarget(const std::string& shortcut, AdvertisedShortcut& target) = 0;
    // Installs or repairs what is needed (default install mode); 0 and the key file's path on success.
    virtual unsigned ProvideComponent(const AdvertisedShortcut& target, std::string& path) = 0;
};

} // namespace platform
