#pragma once
#include <windows.h>

namespace platform::win32 {

// Asks Windows to let the program draw at each monitor's own scale (per-monitor v2,
// else per-monitor, else system-wide), so that it is not stretched into a blur.
// Once per process, before its first window; later calls change nothing.
void BecomeDpiAware();

// The pixels per inch a window is drawn at: the top-level form's own (it follows the
// monitor it is on), else what Windows says for the window, else the system's.
int WindowDpi(HWND window);
// What Windows itself says for the window, or the system's where it cannot say.
int SystemDpiOf(HWND window);

// The outer size of a window of this style whose client area is so large, at dpi.
SIZE OuterSize(HWND window, SIZE client, int dpi);

// Keeps Windows from rescaling a dialog's fonts and controls itself when its DPI
// changes: the forms lay themselves out at the new scale (Windows 10 1703 and later).
void LeaveDpiChangesToForm(HWND dialog);

} // namespace platform::win32
