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

void Application::ShowError(const std::string& text)
{
    MessageBoxA(OwnerWindow(), text.c_str(), Title, MB_OK | MB_ICONERROR);
}

void Application::SetScreenCursor(ScreenCursor cursor)
{
    SetCursor(LoadCursor(nullptr, cursor == ScreenCursor::Hourglass ? IDC_WAIT : IDC_ARROW));
}

} // namespace platform::win32
