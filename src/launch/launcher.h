#pragma once
#include <optional>
#include <string>

#include "platform/ShellLinks.h"

// Starts a path: a shortcut (.lnk) is followed here, through Windows Installer or the
// shell-link object; anything else goes to the shell as it is. Does not wait for the started program.
void LaunchPath(const std::string& path, const std::string& startIn, const std::string& parameters);

// One "open" of a single file by the shell, shown normally.
void ShellOpen(const std::string& file, const std::string& startIn, const std::string& parameters);

// Reads a shortcut file: its target path, arguments and working folder. Raises "Error
// opening file" for a missing file and "File is not a shortcut" for another extension;
// none when it cannot be loaded or resolved.
std::optional<platform::ShellLinkTarget> ReadShortcut(const std::string& shortcutFile);
