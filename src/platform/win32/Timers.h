#pragma once
#include "platform/Timers.h"

namespace platform::win32 {

// SetTimer on a hidden window per timer; the tick arrives through the message loop.
class Timers : public ITimers {
public:
    std::unique_ptr<ITimer> CreateTimer(unsigned intervalMs, std::function<void()> onTick) override;
};

} // namespace platform::win32
