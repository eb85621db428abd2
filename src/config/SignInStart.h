#pragma once
#include <string>

// Starting the program when the user signs in: the standard per-user Run entry
// "Zephyrix", holding the running program's own path in quotes, together with Windows'
// own switch for it (Task Manager's Startup tab, Settings > Apps > Startup). These
// are the state; nothing else remembers it, so the installer, the user's own tools and
// the options dialog all see and change the same thing.
namespace SignInStart {

constexpr const char* RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* ApprovedKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const char* EntryName = "Zephyrix";

// True when the entry exists, wherever it points, and Windows' switch does not hold it off.
bool IsOn();
// Windows' switch holds the entry off: its binary value's first byte is odd (Task
// Manager writes 3 for off, 2 for on). A missing or unreadable value leaves it on.
bool SwitchedOffByWindows();
// What the entry holds for the running program.
std::string EntryText();
// On: writes the entry for the running program and turns Windows' switch on where it
// was off. Off: removes the entry (a missing entry is no error). A write the registry
// refuses throws its message.
void Set(bool on);

} // namespace SignInStart
