#include "launch/launcher.h"

#include "common/Exception.h"
#include "common/Text.h"
#include "platform/Platform.h"

namespace {

bool IsShortcutFile(const std::string& path)
{
    return AsciiUpperCase(ExtractFileExt(path)) == ".LNK";
}

const std::string& Preferred(const std::string& callers, const std::string& shortcuts)
{
    return callers.empty() ? shortcuts : callers;
}

} // namespace

void ShellOpen(const std::string& file, const std::string& startIn, const std::string& parameters)
{
    platform::Shell().Open(file, parameters, startIn, platform::ShowNormal);
}

bool ReadShortcut(const std::string& shortcutFile, std::string& target, std::string& arguments,
                  std::string& workingDirectory)
{
    if (shortcutFile.empty() || !platform::FileSystem().FileExists(shortcutFile))
        throw Exception("Error opening file");
    if (!IsShortcutFile(shortcutFile))
        throw Exception("File is not a shortcut");

    const auto link = platform::ShellLinks().LoadAndResolve(shortcutFile);
    if (!link)
        return false;
    target = link->Path;
    arguments = link->Arguments;
    workingDirectory = link->WorkingDirectory;
    return true;
}

void LaunchPath(const std::string& path, const std::string& startIn, const std::string& parameters)
{
    if (!IsShortcutFile(path)) {
        // Folder and arguments belong to shortcuts only: everything else is opened bare.
        platform::Shell().Open(path, std::nullopt, std::nullopt, platform::ShowNormal);
        return;
    }

    platform::AdvertisedShortcut advertised;
    if (platform::Installer().GetShortcutTarget(path, advertised) == 0) {
        std::string installedPath;
        if (platform::Installer().ProvideComponent(advertised, installedPath) == 0)
            ShellOpen(installedPath, startIn, parameters);
        else
            ShellOpen(path, startIn, parameters);
        return;
    }

    std::string target;
    std::string arguments;
    std::string workingDirectory;
    // A link to a shell object (no file-system target) still opens: the shell follows the link itself.
    if (ReadShortcut(path, target, arguments, workingDirectory) && !target.empty())
        ShellOpen(target, Preferred(startIn, workingDirectory), Preferred(parameters, arguments));
    else
        ShellOpen(path, startIn, parameters);
}
