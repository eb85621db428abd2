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

// The installed program starts as the shell would start the shortcut: with the
// arguments and folder the shortcut stores, unless the caller gives its own.
void LaunchAdvertised(const std::string& shortcut, const platform::AdvertisedShortcut& advertised,
                      const std::string& startIn, const std::string& parameters)
{
    auto& installer = platform::Installer();
    auto program = installer.ProvideComponent(advertised);
    // An installer that cannot install on demand may still know the local copy.
    if (!program)
        program = installer.InstalledKeyFile(advertised);
    if (program) {
        const auto stored = platform::ShellLinks().LoadStored(shortcut);
        const platform::ShellLinkTarget none;
        const auto& link = stored ? *stored : none;
        ShellOpen(*program, Preferred(startIn, link.WorkingDirectory), Preferred(parameters, link.Arguments));
        return;
    }
    if (!platform::Shell().Open(shortcut, parameters, startIn, platform::ShowNormal))
        throw Exception("Could not start \"" + shortcut +
                        "\": its program is not installed on this computer and Windows Installer could not "
                        "install it.");
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
        LaunchAdvertised(path, *advertised, startIn, parameters);
        return;
    }

    // A link to a shell object (no file-system target) still opens: the shell follows the link itself.
    const auto link = ReadShortcut(path);
    if (link && !link->Path.empty())
        ShellOpen(link->Path, Preferred(startIn, link->WorkingDirectory), Preferred(parameters, link->Arguments));
    else
        ShellOpen(path, startIn, parameters);
}
