#pragma once
#include <windows.h>

namespace platform::win32 {

class Win32CheckListBox;
class Win32PageControl;

// The options dialog's arrangement in pixels, for the client sizes its form and pages are given.

// The pages inside a 6-pixel border, above a bottom strip with Ok left of Cancel at its right.
void LayOutConfigForm(Win32PageControl& pages, HWND ok, HWND cancel, int width, int height);
// "General Setup": three hotkey groups of 140 pixels stacked from the top, a line between them.
void LayOutHotkeyGroups(HWND page, int width);
// "Locations to Search": the check list inside an 8-pixel border.
void LayOutLocationsToSearch(Win32CheckListBox& list, int width, int height);

} // namespace platform::win32
