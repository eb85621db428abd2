#pragma once
#include <functional>

namespace platform::win32 {

// Runs the thread's messages until done() holds or the time runs out; true when done.
// For tests and waits that must let notifications and timers reach their handlers.
bool PumpMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs);

} // namespace platform::win32
