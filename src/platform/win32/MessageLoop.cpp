#include "platform/win32/MessageLoop.h"

#include "platform/ErrorReport.h"
#include "platform/win32/Forms.h"

namespace platform::win32 {

namespace {

// A control may want Enter or Esc for itself just now: an open drop-down list
// closes with them. Then neither the form's preview nor its buttons get them.
bool FocusWantsKey(MSG& message)
{
    if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)
        return false;
    HWND focus = GetFocus();
    if (focus == nullptr)
        return false;
    const auto wants = SendMessageA(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    return (wants & DLGC_WANTMESSAGE) != 0;
}

bool PreviewKey(Win32Form& form, MSG& message)
{
    if (FocusWantsKey(message))
        return false;
    HWND focusBefore = GetFocus();
    int key = static_cast<int>(message.wParam);
    RunHandler([&] {
        if (form.OnKeyDown)
            form.OnKeyDown(key);
    });
    if (key == 0)
        return true;
    if (key == VK_RETURN) {
        // Enter presses the button that has the focus, as Space does, or else the default one.
        Win32Button* button = form.FocusedButton();
        if (button == nullptr)
            button = form.DefaultButton();
        if (button != nullptr) {
            RunHandler([button] { button->Click(); });
            return true;
        }
    }
    if (Win32MenuItem* item = form.ShortCutItem(key)) {
        RunHandler([item] { item->Click(); });
        return true;
    }
    if (GetFocus() != focusBefore && GetFocus() != nullptr) {
        // The preview moved the focus (a letter typed in the list sends the focus
        // back to the edit): the key-down stays with the control it was meant
        // for, the character it types goes to the control focused now.
        MSG typed = message;
        typed.hwnd = GetFocus();
        TranslateMessage(&typed);
        DispatchMessageW(&message);
        return true;
    }
    return false;
}

} // namespace

bool PreTranslateFormMessage(MSG& message)
{
    if (message.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    Win32Form* form = Win32Form::FromWindow(root);
    if (form == nullptr)
        return false;
    if (message.message == WM_KEYDOWN && PreviewKey(*form, message))
        return true;
    // The form may be gone after its handlers ran.
    if (Win32Form::FromWindow(root) == nullptr)
        return true;
    return IsDialogMessageW(root, &message) != FALSE;
}

// Messages are taken and dispatched as Unicode: taken with GetMessageA, a typed
// character outside the keyboard's code page (Japanese on a Western keyboard, anything
// an input method gives) becomes "?" before the edit sees it. Our own windows still get
// their messages converted to the process's code page.
bool RunMessageLoop(const std::function<bool()>& done)
{
    while (!done()) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!PreTranslateFormMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

} // namespace platform::win32
