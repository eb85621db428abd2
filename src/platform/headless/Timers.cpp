#include "platform/headless/Timers.h"

#include "platform/ErrorReport.h"

namespace platform::headless {

class Clock::Timer : public ITimer {
public:
    Timer(std::weak_ptr<Clock*> clock, unsigned intervalMs, std::function<void()> onTick)
        : clock_(std::move(clock)), interval_(intervalMs), onTick_(std::move(onTick))
    {
        if (const auto owner = clock_.lock())
            (*owner)->timers_[this] = &state_;
    }
    ~Timer() override
    {
        if (const auto clock = clock_.lock())
            (*clock)->timers_.erase(this);
    }

    void Start() override
    {
        if (const auto clock = clock_.lock()) {
            state_.Due = (*clock)->now_ + interval_;
            state_.StartedAs = (*clock)->starts_++;
            state_.Running = true;
        }
    }
    void Stop() override { state_.Running = false; }
    bool Running() const override { return state_.Running; }

    void Fire()
    {
        state_.Running = false;
        // The handler may destroy this timer.
        const std::function<void()> onTick = onTick_;
        RunHandler(onTick);
    }

private:
    std::weak_ptr<Clock*> clock_;
    unsigned interval_;
    std::function<void()> onTick_;
    State state_;
};

std::unique_ptr<ITimer> Clock::CreateTimer(unsigned intervalMs, std::function<void()> onTick)
{
    return std::make_unique<Timer>(self_, intervalMs, std::move(onTick));
}

std::size_t Clock::RunningTimers() const
{
    std::size_t running = 0;
    for (const auto& [timer, state] : timers_)
        running += state->Running ? 1 : 0;
    return running;
}

void Clock::Advance(std::uint64_t ms)
{
    const std::uint64_t until = now_ + ms;
    for (;;) {
        Timer* next = nullptr;
        const State* nextState = nullptr;
        for (const auto& [timer, state] : timers_) {
            if (!state->Running || state->Due > until)
                continue;
            if (nextState == nullptr || state->Due < nextState->Due ||
                (state->Due == nextState->Due && state->StartedAs < nextState->StartedAs)) {
                next = timer;
                nextState = state;
            }
        }
        if (next == nullptr)
            break;
        now_ = nextState->Due;
        next->Fire();
    }
    now_ = until;
}

} // namespace platform::headless
