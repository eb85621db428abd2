#include "platform/win32/ProgramIcon.h"

#include "res/resource.h"

namespace platform::win32 {

UniqueIcon LoadProgramIcon(int size)
{
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, size, size, 0)));
}

int SmallIconSize(HWND window)
{
    // A per-monitor aware program learns the current scale only from the functions of
    // Windows 10 version 1607; the older metric keeps the scale the session started with.
    using MetricForDpi = int(WINAPI*)(int, UINT);
    using DpiOfWindow = UINT(WINAPI*)(HWND);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto metricForDpi =
        reinterpret_cast<MetricForDpi>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetSystemMetricsForDpi")));
    const auto dpiOfWindow =
        reinterpret_cast<DpiOfWindow>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
    if (metricForDpi != nullptr && dpiOfWindow != nullptr && dpiOfWindow(window) != 0)
        return metricForDpi(SM_CXSMICON, dpiOfWindow(window));
    return GetSystemMetrics(SM_CXSMICON);
}

void ShowProgramIcon(HWND window)
{
    // The system's standard sizes may be shared: the system keeps such icons for the
    // life of the process, so the window may hold them as long as it lives.
    const auto load = [](int width, int height) {
        return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                             GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED));
    };
    if (HICON big = load(SM_CXICON, SM_CYICON))
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (HICON small = load(SM_CXSMICON, SM_CYSMICON))
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

} // namespace platform::win32
