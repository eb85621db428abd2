// Writes a shortcut for the end-to-end tests, as an installer would:
//   make_link <shortcut.lnk> <target> <working folder> [<icon file>]
// The shortcut's folder is created when it is missing.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "../../win32/ShellLinkWriter.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const platform::win32::ComApartment com;
    std::string folder = argv[1];
    folder = folder.substr(0, folder.find_last_of('\\'));
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const std::string icon = argc >= 5 ? argv[4] : "";
    return WriteShellLink(argv[1], argv[2], "", argv[3], SW_SHOWNORMAL, icon) ? 0 : 1;
}
