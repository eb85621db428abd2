#pragma once
#include <memory>

#include "platform/Timers.h"
#include "platform/Widgets.h"

// The application's notification-area icon. Attached to the main window, it
// makes that window hide instead of closing or minimising, brings it up on a
// button press on the icon, and hides it once right after start-up.
class TSysTray {
public:
    TSysTray();
    ~TSysTray();
    TSysTray(const TSysTray&) = delete;
    TSysTray& operator=(const TSysTray&) = delete;

    void Attach(platform::IForm& form);
    void HideForm();
    void ShowForm();
    void FormClosing(bool& allow);
    // Something brought the window up before the start-up hide came: the hide
    // must not take away what it shows.
    void CancelStartupHide();
    // The one-shot timer's tick.
    void StartupHide();

    std::unique_ptr<platform::ITrayIcon> Icon;
    std::unique_ptr<platform::ITimer> HideTimer;
    platform::IForm* Form = nullptr;
};
