#pragma once

// What the program calls itself where the user or another program sees it: the title of
// its message boxes and tray icon, and its keys under HKEY_CURRENT_USER. Each key is
// spelled from the one root, so a rename cannot leave one behind.
#define ZX_ROOT_KEY "Software\\Morrowfield\\Zephyrix"

inline constexpr const char* ApplicationTitle = "Morrowfield - zephyrix";
// The main window's caption.
inline constexpr const char* MainWindowCaption = "Morrowfield -- ZEPHYRIX";

// The settings' key; paths with a leading backslash are the registry layer's.
inline constexpr const char* SettingsKey = "\\" ZX_ROOT_KEY;
// The learned abbreviations.
inline constexpr const char* AbbreviationsKey = "\\" ZX_ROOT_KEY "\\Abbreviations";
// The forms' window placement, one subkey a form class (as an ini file's sections).
inline constexpr const char* FormSettingsKey = ZX_ROOT_KEY "\\FormSettings";

#undef ZX_ROOT_KEY
