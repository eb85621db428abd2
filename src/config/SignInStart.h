#pragma once
#include <string>

// Starting the program when the user signs in: the standard per-user Run entry
// "Zephyrix", holding the running program's own path in quotes. The entry itself is
// the state; nothing else remembers it, so the installer, the user's own tools and
// the options dialog all see and change the same thing.
namespace SignInStart {

constexpr const char* RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* EntryName = "Zephyrix";

// True when the entry exists, wherever it points: a copy that was moved is fixed by
// switching it on again.
bool IsOn();
// What the entry holds for the running program.
std::string EntryText();
// Writes the entry for the running program, or removes it (a missing entry is no
// error). A write the registry refuses throws its message.
void Set(bool on);

} // namespace SignInStart
