#pragma once
#include <windows.h>

#include <functional>

namespace platform::win32 {

// What the forms do with a message before it is dispatched: the form's key
// preview sees every key-down first, then Enter presses the default button, a
// menu item's shortcut picks it, and the dialog manager handles navigation.
// True when the message was handled and must not be dispatched.
bool PreTranslateFormMessage(MSG& message);

// Runs the thread's messages until done() holds, checked after each message.
// WM_QUIT ends it early and is posted again for the outer loop; false then.
bool RunMessageLoop(const std::function<bool()>& done);

} // namespace platform::win32
