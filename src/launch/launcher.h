#pragma once
#include <string>

// Starts a path: a shortcut (.lnk) is followed here, through Windows Installer or the
// shell-link object; anything else goes to the shell as it is. Does not wait for the started program.
void LaunchPath(const std::string& path, const std::string& startIn, const std::string& parameters);

// One "open" of a single file by the shell, shown normally.
void ShellOpen(const std::string& file, const std::string& startIn, const std::string& parameters);

// Reads a shortcut file. Raises "Error opening file" for a missing file and
// "File is not a shortcut" for another extension; false when it cannot be loaded or resolved.
bool ReadShortcut(const std::string& shortcutFile, std::string& target, std::string& arguments,
                  std::string& workingDirectory);
