#pragma once
#include <functional>
#include <memory>

namespace platform {

// A one-shot timer on the user-interface thread.
class ITimer {
public:
    virtual ~ITimer() = default;
    // Starts the count from now, abandoning a count already running.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

class ITimers {
public:
    virtual ~ITimers() = default;
    // A stopped timer that, once started, calls onTick one interval later from the
    // message loop and stops.
    virtual std::unique_ptr<ITimer> CreateTimer(unsigned intervalMs, std::function<void()> onTick) = 0;
};

} // namespace platform
