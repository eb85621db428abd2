#pragma once
#include <string>

// The common body of the three add operations: creates newShortcutsFolder with its
// parents, writes a .URL file for a URL target or else a shortcut named after the last
// component of nameSource, starts what it wrote and hides the main window.
// Raises "Unable to create directory" for an empty folder and the writers' errors;
// after an error nothing is started and the window stays as it is.
void MakeShortcut(const std::string& newShortcutsFolder, const std::string& nameSource, const std::string& target,
                  const std::string& startIn, const std::string& parameters);
