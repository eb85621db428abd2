#include "platform/win32/ProgramIcon.h"

#include "res/resource.h"

namespace platform::win32 {

UniqueIcon LoadProgramIcon(int size)
{
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, size, size, 0)));
}

namespace {

template <class Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

} // namespace

int IconSizeAt(int metric, int dpi)
{
    // A per-monitor aware program learns the sizes of another scale only from the
    // functions of Windows 10 version 1607; before, the metric of the session's start
    // is scaled as Windows scales it.
    using MetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = User32Function<MetricForDpi>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr && dpi > 0)
        return metricForDpi(metric, static_cast<UINT>(dpi));
    HDC screen = GetDC(nullptr);
    const int systemDpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 && systemDpi > 0 ? MulDiv(GetSystemMetrics(metric), dpi, systemDpi) : GetSystemMetrics(metric);
}

int SmallIconSize(HWND window)
{
    using DpiOfWindow = UINT(WINAPI*)(HWND);
    static const auto dpiOfWindow = User32Function<DpiOfWindow>("GetDpiForWindow");
    const UINT dpi = dpiOfWindow != nullptr ? dpiOfWindow(window) : 0;
    return dpi != 0 ? IconSizeAt(SM_CXSMICON, static_cast<int>(dpi)) : GetSystemMetrics(SM_CXSMICON);
}

void WindowIcons::Show(HWND window, int dpi)
{
    // Drawn for this size from the nearest drawing, not stretched by the system from
    // the size of another scale. The old icons go only once the window holds the new.
    UniqueIcon big = LoadProgramIcon(IconSizeAt(SM_CXICON, dpi));
    UniqueIcon small = LoadProgramIcon(IconSizeAt(SM_CXSMICON, dpi));
    if (big)
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    if (small)
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    if (big)
        big_ = std::move(big);
    if (small)
        small_ = std::move(small);
}

} // namespace platform::win32
