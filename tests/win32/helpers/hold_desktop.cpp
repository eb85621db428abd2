// Keeps Wine's desktop in use for a whole test run. Wine ends its desktop process once no
// program uses the desktop and starts it again for the next program that makes a window,
// as that program's child: the desktop process then holds that test's output open, and
// CTest, running other window tests beside it, waits for it until the test times out.
// Started once, with no output of a test attached, this program holds the desktop, so
// the desktop process stays up, started by it. It runs until the Wine server ends.
//   hold_desktop <ready file>   (written once the desktop process is up)
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    // A message-only window: it uses the desktop but is in no window list. Its making
    // waits for the desktop window, and so for the desktop process.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (window == nullptr || GetDesktopWindow() == nullptr)
        return 1;
    HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE)
        CloseHandle(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
