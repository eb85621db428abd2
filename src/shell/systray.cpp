#include "shell/systray.h"

#include "platform/Platform.h"
#include "shell/main.h"

TSysTray::TSysTray()
    : Icon(platform::Widgets().CreateTrayIcon(ApplicationTitle)),
      HideTimer(platform::Timers().CreateTimer(1, [this] { StartupHide(); }))
{
    // A new notification area starts empty: Explorer restarted, or at sign-in it came up
    // after us and so also takes an icon that could not be added below.
    Icon->OnNotificationAreaCreated = [this] { Icon->Add(); };
    Icon->Add(); // without a notification area the application runs on its hotkeys
}

TSysTray::~TSysTray()
{
    if (Form != nullptr) {
        Form->OnCloseQuery = nullptr;
        Form->OnMinimize = nullptr;
    }
}

void TSysTray::Attach(platform::IForm& form)
{
    Form = &form;
    Icon->OnRightDown = [this] { ShowForm(); };
    Icon->OnLeftDown = [this] { ShowForm(); };
    form.OnCloseQuery = [this](bool& allow) { FormClosing(allow); };
    form.OnMinimize = [this] { HideForm(); };
    HideTimer->Start();
}

void TSysTray::HideForm()
{
    HideTimer->Stop();
    if (Form != nullptr)
        Form->Hide();
}

// The first tick can come inside a message box of the first showing itself (a
// placement that cannot be applied), before the window is visible: hiding then would
// be undone by the showing. The timer is armed again until there is a window to hide.
void TSysTray::StartupHide()
{
    if (Form != nullptr && !Form->Visible()) {
        HideTimer->Start();
        return;
    }
    HideForm();
}

void TSysTray::CancelStartupHide()
{
    HideTimer->Stop();
}

// The main window's bring-up without its final bring-to-front.
void TSysTray::ShowForm()
{
    if (Form == nullptr)
        return;
    CancelStartupHide();
    Form->Show();
    Form->Restore();
    Form->BringToFront();
    Form->Activate();
    Form->Show();
}

void TSysTray::FormClosing(bool& allow)
{
    allow = false;
    HideForm();
}
