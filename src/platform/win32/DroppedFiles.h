#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace platform::win32 {

// Lets the window receive WM_DROPFILES for files dragged from the shell.
void AcceptDroppedFiles(HWND window);

// Every name of a WM_DROPFILES drop, in order, each of up to 259 characters;
// the drop is released.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

} // namespace platform::win32
