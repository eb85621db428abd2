// Another program's window for the switcher's end-to-end test:
//   test_window <title> [minimised]
// A plain top-level window with that title, shown normally or minimised without
// taking the focus. It ends when closed, or by itself after two minutes so that a
// test that fails half-way leaves nothing behind.
#include <windows.h>

#include <string>

namespace {

constexpr UINT LifetimeMs = 120000;
constexpr const char* ClassName = "ZephyrixE2ETestWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY || (message == WM_TIMER && wParam == 1)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const bool minimised = argc >= 3 && std::string(argv[2]) == "minimised";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    HWND window = CreateWindowExA(0, ClassName, argv[1], WS_OVERLAPPEDWINDOW, 40, 40, 320, 160, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    SetTimer(window, 1, LifetimeMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
