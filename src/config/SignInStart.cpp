#include "config/SignInStart.h"

#include "platform/Platform.h"

namespace SignInStart {

bool IsOn()
{
    // A fresh profile has no Run key yet.
    const auto key = platform::Registry().OpenExistingKey(RunKey);
    return key != nullptr && key->ValueExists(EntryName);
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
