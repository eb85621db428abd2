#include "platform/win32/Installer.h"

#include <windows.h>
#include <msi.h>

namespace platform::win32 {

namespace {
constexpr DWORD InstallerBufferSize = MAX_PATH;
}

unsigned Installer::GetShortcutTarget(const std::string& shortcut, AdvertisedShortcut& target)
{
    // Product and component codes are GUIDs (39 characters); the feature id is at most 38.
    char product[InstallerBufferSize] = {};
    char feature[InstallerBufferSize] = {};
    char component[InstallerBufferSize] = {};
    const UINT result = MsiGetShortcutTargetA(shortcut.c_str(), product, feature, component);
    if (result == ERROR_SUCCESS)
        target = {product, feature, component};
    return result;
}

unsigned Installer::ProvideComponent(const AdvertisedShortcut& target, std::string& path)
{
    char buffer[InstallerBufferSize] = {};
    DWORD size = InstallerBufferSize;
    const UINT result = MsiProvideComponentA(target.ProductCode.c_str(), target.FeatureId.c_str(),
                                             target.ComponentCode.c_str(), INSTALLMODE_DEFAULT, buffer, &size);
    if (result == ERROR_SUCCESS)
        path = buffer;
    return result;
}

} // namespace platform::win32
