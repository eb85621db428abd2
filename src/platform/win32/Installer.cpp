#include "platform/win32/Installer.h"

#include <windows.h>
#include <msi.h>

#include <vector>

#include "platform/win32/AnsiText.h"

namespace platform::win32 {

namespace {
// Product and component codes are GUIDs (39 characters); the feature id is at most 38.
constexpr DWORD InstallerCodeSize = MAX_PATH;
} // namespace

std::optional<AdvertisedShortcut> Installer::GetShortcutTarget(const std::string& shortcut)
{
    char product[InstallerCodeSize] = {};
    char feature[InstallerCodeSize] = {};
    char component[InstallerCodeSize] = {};
    // Any code but success means "not advertised": a plain link answers 1627, a missing
    // file another code; the launcher treats them all alike.
    if (MsiGetShortcutTargetA(shortcut.c_str(), product, feature, component) != ERROR_SUCCESS)
        return std::nullopt;
    return AdvertisedShortcut{product, feature, component};
}

std::optional<std::string> Installer::ProvideComponent(const AdvertisedShortcut& target)
{
    // An installed path of MAX_PATH characters, in UTF-8 bytes.
    std::vector<char> buffer(AnsiPathBufferSize, '\0');
    DWORD size = AnsiPathBufferSize;
    const UINT result = MsiProvideComponentA(target.ProductCode.c_str(), target.FeatureId.c_str(),
                                             target.ComponentCode.c_str(), INSTALLMODE_DEFAULT, buffer.data(), &size);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(buffer.data());
}

std::optional<std::string> Installer::InstalledKeyFile(const AdvertisedShortcut& target)
{
    std::vector<char> buffer(AnsiPathBufferSize, '\0');
    DWORD size = AnsiPathBufferSize;
    // Only a local copy counts: for a missing file the installer still fills in the path
    // it should have, which would start nothing.
    if (MsiGetComponentPathA(target.ProductCode.c_str(), target.ComponentCode.c_str(), buffer.data(), &size) !=
        INSTALLSTATE_LOCAL)
        return std::nullopt;
    return std::string(buffer.data());
}

} // namespace platform::win32
