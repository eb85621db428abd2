#include "platform/win32/Widgets.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/Forms.h"
#include "platform/win32/TrayIcon.h"

namespace platform::win32 {

// The tab control and the list view come from comctl32, version 6 through the manifest.
Widgets::Widgets()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

std::unique_ptr<IForm> Widgets::CreateForm(const std::string& className)
{
    return std::make_unique<Win32Form>(className);
}

std::unique_ptr<ITrayIcon> Widgets::CreateTrayIcon(const std::string& tip)
{
    return std::make_unique<TrayIcon>(tip);
}

void Widgets::Terminate()
{
    PostQuitMessage(0);
}

} // namespace platform::win32
