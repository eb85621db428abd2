#include "platform/win32/Application.h"

namespace platform::win32 {

namespace {
HWND mainWindow = nullptr;
}

void Application::SetMainWindow(HWND window)
{
    mainWindow = window;
}

HWND Application::OwnerWindow()
{
    return mainWindow;
}

void Application::HideMainWindow()
{
    if (mainWindow != nullptr && IsWindow(mainWindow))
        ShowWindow(mainWindow, SW_HIDE);
}

} // namespace platform::win32
