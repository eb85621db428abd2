#include "config/SignInStart.h"

#include "platform/Platform.h"

namespace SignInStart {

namespace {

bool RunEntryExists()
{
    // A fresh profile has no Run key yet.
    const auto key = platform::Registry().OpenExistingKey(RunKey);
    return key != nullptr && key->ValueExists(EntryName);
}

// What Task Manager writes when it switches an entry on.
const std::string SwitchedOn("\x02\0\0\0\0\0\0\0\0\0\0\0", 12);

} // namespace

bool SwitchedOffByWindows()
{
    const auto key = platform::Registry().OpenExistingKey(ApprovedKey);
    const auto state = key ? key->ReadBinary(EntryName) : std::nullopt;
    return state && !state->empty() && (static_cast<unsigned char>(state->front()) & 1) != 0;
}

bool IsOn()
{
    return RunEntryExists() && !SwitchedOffByWindows();
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
        if (SwitchedOffByWindows())
            platform::Registry().OpenOrCreateKey(ApprovedKey)->WriteBinary(EntryName, SwitchedOn);
        return;
    }
    if (RunEntryExists())
        platform::Registry().OpenOrCreateKey(RunKey)->DeleteValue(EntryName);
}

} // namespace SignInStart
