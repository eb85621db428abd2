#pragma once
#include <optional>
#include <string>

namespace platform {

struct AdvertisedShortcut {
    std::string ProductCode;
    std::string FeatureId;
    std::string ComponentCode;

    bool operator==(const AdvertisedShortcut&) const = default;
};

// Windows Installer. Its codes stay behind the seam: the logic only asks whether an
// answer came.
class IInstaller {
public:
    virtual ~IInstaller() = default;
    // What the installer knows of the file, exactly when it is an advertised shortcut;
    // none for a plain link, a missing file or any other file.
    virtual std::optional<AdvertisedShortcut> GetShortcutTarget(const std::string& shortcut) = 0;
    // Installs or repairs what is needed (default install mode) and gives the key file's
    // path; none when the installer cannot provide it.
    virtual std::optional<std::string> ProvideComponent(const AdvertisedShortcut& target) = 0;
    // The key file of the component when it is installed on this computer, without
    // installing or repairing anything; none when it is absent, only advertised or unknown.
    virtual std::optional<std::string> InstalledKeyFile(const AdvertisedShortcut& target) = 0;
};

} // namespace platform
