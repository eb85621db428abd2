#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/Installer.h"
#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

// Windows Installer with a table of advertised shortcuts and installed components.
class Installer : public IInstaller {
public:
    std::optional<AdvertisedShortcut> GetShortcutTarget(const std::string& shortcut) override
    {
        const auto found = advertised_.find(shortcut);
        if (found == advertised_.end())
            return std::nullopt;
        return found->second;
    }

    std::optional<std::string> ProvideComponent(const AdvertisedShortcut& target) override
    {
        ++ProvideCalls;
        if (ProvideUnsupported)
            return std::nullopt;
        const auto found = installed_.find(target.ComponentCode);
        if (found == installed_.end())
            return std::nullopt;
        return found->second;
    }

    std::optional<std::string> InstalledKeyFile(const AdvertisedShortcut& target) override
    {
        const auto found = installed_.find(target.ComponentCode);
        if (found == installed_.end() || absent_.contains(target.ComponentCode))
            return std::nullopt;
        return found->second;
    }

    void Advertise(const std::string& shortcut, AdvertisedShortcut target) { advertised_[shortcut] = std::move(target); }
    void InstallComponent(const std::string& componentCode, const std::string& keyFile) { installed_[componentCode] = keyFile; }
    void RemoveComponent(const std::string& componentCode) { installed_.erase(componentCode); }
    // Registered as installed, but its key file is gone: only providing would bring it back.
    void LoseKeyFile(const std::string& componentCode) { absent_.insert(componentCode); }

    // An installer that cannot install on demand (Wine's), though it knows what is installed.
    bool ProvideUnsupported = false;

    int ProvideCalls = 0;

private:
    std::map<std::string, AdvertisedShortcut, CaseInsensitiveLess> advertised_;
    std::map<std::string, std::string> installed_;
    std::set<std::string> absent_;
};

} // namespace platform::headless
