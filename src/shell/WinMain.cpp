#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

// Start-up: the process gets its platform before anything else runs.
// The main window, the hotkeys and the notification icon come on top of this.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    platform::win32::InstallWin32Platform();
    const platform::win32::ComApartment com; // the shell-link object needs COM on this thread
    platform::Install(nullptr);
    return 0;
}
