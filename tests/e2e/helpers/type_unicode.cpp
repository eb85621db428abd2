// Types a text into the focused window as an input method would: each UTF-16 unit as a
// Unicode key press (KEYEVENTF_UNICODE), which xdotool cannot do under Wine.
//   type_unicode <text>
#include <windows.h>
#include <shellapi.h>

#include <vector>

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
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size() ? 0 : 1;
}
