#include "additems/MakeShortcut.h"

#include "additems/ShortcutWriters.h"
#include "additems/UrlNames.h"
#include "catalogue/uFindFiles.h"
#include "common/Exception.h"
#include "common/Text.h"
#include "launch/launcher.h"
#include "platform/Platform.h"

namespace {

void ForceFolder(const std::string& folder)
{
    if (folder.empty())
        throw Exception("Unable to create directory");
    // A folder that cannot be made shows up as the write's own error, naming the file.
    platform::FileSystem().CreateFolderTree(folder);
}

} // namespace

void MakeShortcut(const std::string& newShortcutsFolder, const std::string& nameSource, const std::string& target,
                  const std::string& startIn, const std::string& parameters)
{
    ForceFolder(newShortcutsFolder);
    if (IsUrl(target)) {
        const std::string file = JoinPath(newShortcutsFolder, MakeSafeFileName(StripUrlScheme(target)) + ".URL");
        WriteInternetShortcut(file, target);
        LaunchPath(file, "", "");
    } else {
        const std::string name = ExtractFileName(nameSource);
        if (CreateShellShortcut(newShortcutsFolder, name, target, parameters, startIn))
            LaunchPath(ShellShortcutFile(newShortcutsFolder, name), "", "");
    }
    platform::Application().HideMainWindow();
}
