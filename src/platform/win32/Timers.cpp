#include "platform/win32/Timers.h"

#include "platform/win32/MessageWindow.h"

namespace platform::win32 {

namespace {
constexpr UINT_PTR TimerId = 1;

class Timer : public ITimer {
public:
    Timer(unsigned intervalMs, std::function<void()> onTick)
        : interval_(intervalMs), onTick_(std::move(onTick)), window_([this](UINT message, WPARAM id, LPARAM) {
              if (message == WM_TIMER && id == TimerId)
                  Tick();
          })
    {
    }
    ~Timer() override { Stop(); }

    // Setting the same id again replaces the running count.
    void Start() override { running_ = SetTimer(window_.Handle(), TimerId, interval_, nullptr) != 0; }
    void Stop() override
    {
        if (running_)
            KillTimer(window_.Handle(), TimerId);
        running_ = false;
    }
    bool Running() const override { return running_; }

private:
    void Tick()
    {
        // Windows timers repeat: this one fires once per start.
        Stop();
        const std::function<void()> onTick = onTick_; // the handler may destroy this timer
        onTick();
    }

    unsigned interval_;
    std::function<void()> onTick_;
    bool running_ = false;
    MessageWindow window_;
};
} // namespace

std::unique_ptr<ITimer> Timers::CreateTimer(unsigned intervalMs, std::function<void()> onTick)
{
    return std::make_unique<Timer>(intervalMs, std::move(onTick));
}

} // namespace platform::win32
