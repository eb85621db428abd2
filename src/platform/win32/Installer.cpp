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

unsigned Installer::GetShortcutTarget(const std::string& shortcut, AdvertisedShortcut& target)
{
    char product[InstallerCodeSize] = {};
    char feature[InstallerCodeSize] = {};
    char component[InstallerCodeSize] = {};
    const UINT result = MsiGetShortcutTargetA(shortcut.c_str(), product, feature, component);
    if (result == ERROR_SUCCESS)
        target = {product, feature, component};
    return result;
}

unsigned Installer::ProvideComponent(const AdvertisedShortcut& target, std::string& path)
{
    // An installed path of MAX_PATH characters, in UTF-8 bytes.
    std::vector<char> buffer(AnsiPathBufferSize, '\0');
    DWORD size = AnsiPathBufferSize;
    const UINT result = MsiProvideComponentA(target.ProductCode.c_str(), target.FeatureId.c_str(),
                                             target.ComponentCode.c_str(), INSTALLMODE_DEFAULT, buffer.data(), &size);
    if (result == ERROR_SUCCESS)
        path = buffer.data();
    return result;
}

} // namespace platform::win32
