// Acts on another program's windows for the end-to-end tests with the messages a
// user's clicks and moves produce, and reads shortcuts back:
//   window_tool click <window title> <control text> [n]   presses the n-th (from 0) button of that text
//   window_tool select <window title> <n> <item index>     picks an item of the n-th drop-down list
//   window_tool tab <window title> <n> <page index>        shows a page of the n-th tab control
//   window_tool move <window title> <x> <y>                moves the window
//   window_tool rect <window title>                        prints left top right bottom
//   window_tool link <file.lnk>                            prints target, arguments, working folder
// Exits with 1 when the window or control is not there.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

std::vector<HWND> Children(HWND window, const char* className)
{
    struct Search {
        const char* ClassName;
        std::vector<HWND> Found;
    } search{className, {}};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpiA(name, search.ClassName) == 0)
                search.Found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TextOf(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

HWND Nth(const std::vector<HWND>& windows, const char* index)
{
    const auto n = static_cast<std::size_t>(std::atoi(index));
    return n < windows.size() ? windows[n] : nullptr;
}

// Tells the control's parent, as the control itself would after a user's choice.
void Notify(HWND control, int code)
{
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

int PrintLink(const char* file)
{
    const platform::win32::ComApartment com;
    platform::win32::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid())))
        return 1;
    platform::win32::ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())))
        return 1;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
    if (FAILED(persist->Load(wide, STGM_READ)))
        return 1;
    char target[MAX_PATH] = {};
    char arguments[1024] = {};
    char folder[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, sizeof(arguments));
    link->GetWorkingDirectory(folder, MAX_PATH);
    std::printf("%s\n%s\n%s\n", target, arguments, folder);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    if (command == "link")
        return PrintLink(argv[2]);
    HWND window = FindWindowA(nullptr, argv[2]);
    if (window == nullptr)
        return 1;

    if (command == "click" && argc >= 4) {
        int skip = argc >= 5 ? std::atoi(argv[4]) : 0;
        for (HWND button : Children(window, "Button"))
            if (TextOf(button) == argv[3] && skip-- == 0) {
                PostMessageA(button, BM_CLICK, 0, 0);
                return 0;
            }
        return 1;
    }
    if (command == "select" && argc >= 5) {
        HWND list = Nth(Children(window, "ComboBox"), argv[3]);
        if (list == nullptr || SendMessageA(list, CB_SETCURSEL, std::atoi(argv[4]), 0) == CB_ERR)
            return 1;
        Notify(list, CBN_SELCHANGE);
        return 0;
    }
    if (command == "tab" && argc >= 5) {
        HWND tabs = Nth(Children(window, WC_TABCONTROLA), argv[3]);
        if (tabs == nullptr)
            return 1;
        SendMessageA(tabs, TCM_SETCURFOCUS, std::atoi(argv[4]), 0);
        return 0;
    }
    if (command == "move" && argc >= 5) {
        SetWindowPos(window, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (command == "rect") {
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    return 2;
}
