#include "platform/win32/Dpi.h"

#include "platform/win32/Forms.h"
#include "platform/win32/Handles.h"

namespace platform::win32 {

namespace {

// The DPI functions came with later versions of Windows: each is looked up by name
// and the older way taken where it is missing.
template <class Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace

void BecomeDpiAware()
{
    // The contexts are handles with fixed values: per-monitor v2 is -4, per-monitor -3.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (const auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
            setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3))))
            return;
        if (GetLastError() == ERROR_ACCESS_DENIED)
            return; // already set, by the manifest or an earlier call
    }
    // Windows 8.1: shcore's per-monitor awareness (2).
    if (HMODULE shcore = LoadLibraryA("shcore.dll")) {
        using SetAwareness = HRESULT(WINAPI*)(int);
        const auto setAwareness = reinterpret_cast<SetAwareness>(
            reinterpret_cast<void (*)()>(GetProcAddress(shcore, "SetProcessDpiAwareness")));
        const HRESULT result = setAwareness != nullptr ? setAwareness(2) : E_NOTIMPL;
        // shcore stays loaded: the setting belongs to the process.
        if (SUCCEEDED(result) || result == E_ACCESSDENIED)
            return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (const auto setAware = User32Function<SetAware>("SetProcessDPIAware"))
        setAware();
}

int SystemDpiOf(HWND window)
{
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = User32Function<DpiForWindow>("GetDpiForWindow");
    if (dpiForWindow != nullptr && window != nullptr)
        if (const UINT dpi = dpiForWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    return SystemDpi();
}

int WindowDpi(HWND window)
{
    HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (const Win32Form* form = Win32Form::FromWindow(root))
        return form->Dpi();
    return SystemDpiOf(root != nullptr ? root : window);
}

SIZE OuterSize(HWND window, SIZE client, int dpi)
{
    RECT frame{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    const BOOL menu = GetMenu(window) != nullptr;
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, menu, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, menu, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void LeaveDpiChangesToForm(HWND dialog)
{
    using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior = User32Function<SetBehavior>("SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr)
        setBehavior(dialog, 1, 1); // DDC_DISABLE_ALL
}

} // namespace platform::win32
