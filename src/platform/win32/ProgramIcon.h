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

// The system's size in pixels of a metric (SM_CXICON, SM_CXSMICON) at this scale.
int IconSizeAt(int metric, int dpi);

// The program's icon on a top-level window (its caption, the taskbar and Alt+Tab),
// drawn for the scale of the monitor the window is on. Shown again at each change of
// scale; the icons stay with this object, which must outlive the window's use of them.
class WindowIcons {
public:
    void Show(HWND window, int dpi);

private:
    UniqueIcon big_;
    UniqueIcon small_;
};

} // namespace platform::win32
