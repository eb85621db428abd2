#pragma once
#include "platform/UiThread.h"
#include "platform/win32/MessageWindow.h"

namespace platform::win32 {

// Calls from other threads arrive as messages posted to a hidden window that the
// user-interface thread owns, and run when its message loop dispatches them.
class UiThread : public IUiThread {
public:
    UiThread(); // on the user-interface thread
    ~UiThread() override;
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    bool RunAndWait(std::function<void()> work, std::stop_token stop) override;

private:
    MessageWindow window_;
};

} // namespace platform::win32
