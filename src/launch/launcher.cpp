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

std::optional<platform::ShellLinkTarget> ReadShortcut(const std::string& shortcutFile)
{
    if (shortcutFile.empty() || !platform::FileSystem().FileExists(shortcutFile))
        throw Exception("Error opening file");
    if (!IsShortcutFile(shortcutFile))
        throw Exception("File is not a shortcut");

    return platform::ShellLinks().LoadAndResolve(shortcutFile);
}

void LaunchPath(const std::string& path, const std::string& startIn, const std::string& parameters)
{
    if (!IsShortcutFile(path)) {
        // Folder and arguments belong to shortcuts only: everything else is opened bare.
        platform::Shell().Open(path, std::nullopt, std::nullopt, platform::ShowNormal);
        return;
    }

    if (const auto advertised = platform::Installer().GetShortcutTarget(path)) {
        const auto installedPath = platform::Installer().ProvideComponent(*advertised);
        ShellOpen(installedPath ? *installedPath : path, startIn, parameters);
        return;
    }

    // A link to a shell object (no file-system target) still opens: the shell follows the link itself.
    const auto link = ReadShortcut(path);
    if (link && !link->Path.empty())
        ShellOpen(link->Path, Preferred(startIn, link->WorkingDirectory), Preferred(parameters, link->Arguments));
    else
        ShellOpen(path, startIn, parameters);
}
