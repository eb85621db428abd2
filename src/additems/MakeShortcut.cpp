#include "additems/MakeShortcut.h"

#include <algorithm>

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

// The longest name a URL's file may have: a name within the file system's 255
// characters and, where the folder leaves room, a whole path the ANSI file calls
// take (259 characters).
std::size_t UrlNameLimit(const std::string& folder)
{
    constexpr std::size_t longestName = 255 - 4;                    // without ".URL"
    constexpr std::size_t longestPath = 259;
    const std::size_t used = folder.size() + 1 + 4;                 // the folder, "\" and ".URL"
    const std::size_t room = used < longestPath ? longestPath - used : 0;
    return std::max<std::size_t>(std::min(longestName, room), 1);
}

} // namespace

void MakeShortcut(const std::string& newShortcutsFolder, const std::string& nameSource, const std::string& target,
                  const std::string& startIn, const std::string& parameters)
{
    ForceFolder(newShortcutsFolder);
    // Copied addresses often come with a line break and blanks around them.
    if (const std::string url = TrimUrlText(target); IsUrl(url)) {
        const std::string file = JoinPath(newShortcutsFolder, UrlShortcutName(url, UrlNameLimit(newShortcutsFolder)) + ".URL");
        WriteInternetShortcut(file, url);
        LaunchPath(file, "", "");
    } else {
        const std::string name = ExtractFileName(nameSource);
        if (CreateShellShortcut(newShortcutsFolder, name, target, parameters, startIn))
            LaunchPath(ShellShortcutFile(newShortcutsFolder, name), "", "");
    }
    platform::Application().HideMainWindow();
}
