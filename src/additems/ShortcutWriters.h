#pragma once
#include <string>

// Writes an Internet-shortcut file, replacing one of that name: the lines
// "[InternetShortcut]" and "URL=" + url, each ended by CR LF, in the ANSI code page.
// Raises "Cannot create file <file>" when the file cannot be written.
void WriteInternetShortcut(const std::string& file, const std::string& url);

// Writes folder\name.lnk through the shell-link object: the target with its arguments,
// the name as description, no hotkey, shown normally, and the working folder when
// startIn is not empty. Raises "Cannot create shortcut. Target file does not exist",
// "Destination directory not specified", "Error creating IShellLink", or
// "Cannot create file <file>" when the link cannot be saved. Returns true once written.
bool CreateShellShortcut(const std::string& folder, const std::string& name, const std::string& target,
                         const std::string& parameters, const std::string& startIn);

// The file CreateShellShortcut writes: folder, a "\" unless it ends with one, name, ".lnk".
std::string ShellShortcutFile(const std::string& folder, const std::string& name);
