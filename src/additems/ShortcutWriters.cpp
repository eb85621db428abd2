#include "additems/ShortcutWriters.h"

#include "common/Exception.h"
#include "platform/Platform.h"

namespace {

[[noreturn]] void RaiseCannotCreateFile(const std::string& file)
{
    throw Exception("Cannot create file " + file);
}

} // namespace

void WriteInternetShortcut(const std::string& file, const std::string& url)
{
    // A line break in the address would end the URL line and start lines of its own.
    if (url.find_first_of("\r\n") != std::string::npos)
        throw Exception("A URL cannot contain a line break");
    const std::string contents = "[InternetShortcut]\r\nURL=" + url + "\r\n";
    if (!platform::FileSystem().WriteNewFile(file, contents))
        RaiseCannotCreateFile(file);
}

std::string ShellShortcutFile(const std::string& folder, const std::string& name)
{
    const bool endsWithSeparator = !folder.empty() && folder.back() == '\\';
    return folder + (endsWithSeparator ? "" : "\\") + name + ".lnk";
}

bool CreateShellShortcut(const std::string& folder, const std::string& name, const std::string& target,
                         const std::string& parameters, const std::string& startIn)
{
    auto& files = platform::FileSystem();
    if (!files.FileExists(target) && !files.DirectoryExists(target))
        throw Exception("Cannot create shortcut. Target file does not exist");
    if (folder.empty())
        throw Exception("Destination directory not specified");

    platform::ShellLinkDefinition link;
    link.Target = {target, parameters, startIn};
    link.Description = name;
    link.Hotkey = 0;
    link.ShowCommand = 1; // SW_SHOWNORMAL

    const std::string file = ShellShortcutFile(folder, name);
    switch (platform::ShellLinks().WriteLink(file, link)) {
    case platform::LinkWriteResult::Written: return true;
    case platform::LinkWriteResult::NoShellLinkObject: throw Exception("Error creating IShellLink");
    case platform::LinkWriteResult::NotSaved: break;
    }
    // Saying nothing here would hide the window as if the shortcut had been made.
    RaiseCannotCreateFile(file);
}
