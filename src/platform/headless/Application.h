#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Application.h"

namespace platform::headless {

// Records what the program asked of the application: hiding, error reports, cursors.
class Application : public IApplication {
public:
    void HideMainWindow() override { ++HideCount; }
    void ShowError(const std::string& text) override
    {
        ErrorsShown.push_back(text);
        if (WhileErrorShown)
            WhileErrorShown(); // the message box runs its own message loop
    }
    void SetScreenCursor(ScreenCursor cursor) override { Cursors.push_back(cursor); }
    int HideCount = 0;
    std::vector<std::string> ErrorsShown;
    std::function<void()> WhileErrorShown;
    std::vector<ScreenCursor> Cursors; // every cursor set, in order
};

} // namespace platform::headless
