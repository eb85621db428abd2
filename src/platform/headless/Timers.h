#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/Timers.h"

namespace platform::headless {

// A virtual clock: time moves only when a test advances it, and the timers due on
// the way fire in the order they fell due.
class Clock : public ITimers {
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    std::unique_ptr<ITimer> CreateTimer(unsigned intervalMs, std::function<void()> onTick) override;

    // Moves time forward by ms, firing every timer that falls due, also those that
    // the handlers start on the way.
    void Advance(std::uint64_t ms);
    std::uint64_t Now() const { return now_; }
    std::size_t RunningTimers() const;

private:
    class Timer;
    struct State {
        std::uint64_t Due = 0;
        std::uint64_t StartedAs = 0; // orders timers falling due together
        bool Running = false;
    };
    std::uint64_t now_ = 0;
    std::uint64_t starts_ = 0;
    std::map<Timer*, State*> timers_;
    std::shared_ptr<Clock*> self_ = std::make_shared<Clock*>(this);
};

} // namespace platform::headless
