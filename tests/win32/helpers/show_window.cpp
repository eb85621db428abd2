// A top-level window of another process, for the window-list tests: shows a window with
// the title given on its command line (taken as Unicode), writes the ready file and
// runs until the window is closed or a minute has passed. With an activation file, it
// writes that file each time the window becomes the active one.
//   show_window <ready file> <title> [<activation file>]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {
const wchar_t* ActivationFile = nullptr;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 3)
        return 2;
    WNDCLASSW description{};
    if (count > 3)
        ActivationFile = arguments[3];
    description.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && ActivationFile != nullptr)
            if (FILE* activated = _wfopen(ActivationFile, L"wb"))
                std::fclose(activated);
        return DefWindowProcW(window, message, wParam, lParam);
    };
    description.hInstance = instance;
    description.lpszClassName = L"ZephyrixShowWindow";
    RegisterClassW(&description);
    HWND window = CreateWindowExW(0, L"ZephyrixShowWindow", arguments[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                  320, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    if (FILE* ready = _wfopen(arguments[1], L"wb"))
        std::fclose(ready);
    SetTimer(window, 1, 60000, [](HWND timed, UINT, UINT_PTR, DWORD) { DestroyWindow(timed); });
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    LocalFree(arguments);
    return 0;
}
