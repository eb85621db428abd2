#include "config/signInStart.h"

#include "platform/Platform.h"

namespace SignInStart {

bool IsOn()
{
    try {
        return platform::Registry().OpenKeyReadOnly(RunKey)->ValueExists(EntryName);
    } catch (const platform::ERegistryKeyNotOpenable&) {
        return false; // a fresh profile has no Run key yet
    }
}

// Quoted, so that a path with blanks starts the program and not its first word.
std::string EntryText()
{
    std::string text = "\"";
    text += platform::Modules().ProgramPath();
    text += '"';
    return text;
}

void Set(bool on)
{
    if (on) {
        platform::Registry().OpenOrCreateKey(RunKey)->WriteString(EntryName, EntryText());
        return;
    }
    if (IsOn())
        platform::Registry().OpenOrCreateKey(RunKey)->DeleteValue(EntryName);
}

} // namespace SignInStart
