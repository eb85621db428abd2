#pragma once
#include <windows.h>

#include "platform/win32/Handles.h"

namespace platform::win32 {

using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;

// The program's own icon drawn for this size in pixels (the .ico holds several
// drawings; the nearest one is scaled). Null when the program has no icon resource.
UniqueIcon LoadProgramIcon(int size);

// The system's small-icon size in pixels at the scale of the display the window is on
// (the notification area's icons are of this size).
int SmallIconSize(HWND window);

// The program's icon on a top-level window: its caption, the taskbar and Alt+Tab.
void ShowProgramIcon(HWND window);

} // namespace platform::win32
