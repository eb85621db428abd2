// Types a text into the focused edit as an input method would: each UTF-16 unit as a
// Unicode key press (KEYEVENTF_UNICODE), which xdotool cannot do under Wine.
//   type_unicode <text>
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <vector>

namespace {

// Waits up to five seconds for an edit of the foreground window to have the keyboard
// focus: keys sent before would go wherever the focus was a moment earlier.
bool WaitForFocusedEdit()
{
    for (int tries = 0; tries < 50; ++tries) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const HWND foreground = GetForegroundWindow();
        if (foreground != nullptr && GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) &&
            info.hwndFocus != nullptr) {
            wchar_t className[16] = {};
            GetClassNameW(info.hwndFocus, className, 16);
            if (_wcsicmp(className, L"Edit") == 0)
                return true;
        }
        Sleep(100);
    }
    return false;
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2)
        return 2;
    std::vector<INPUT> inputs;
    for (const wchar_t* unit = arguments[1]; *unit != L'\0'; ++unit) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(*unit);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    LocalFree(arguments);
    if (!WaitForFocusedEdit())
        return 3;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size() ? 0 : 1;
}
