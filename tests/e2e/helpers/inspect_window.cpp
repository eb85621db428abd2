// Shows the end-to-end tests what a user sees in another program's window, and sends
// it what the window's own buttons would send:
//   inspect_window state <title>    the top-level window of exactly that title:
//                                   visible=, minimised=, foreground=, focus= (class of
//                                   the control with the keyboard focus), page= (caption of
//                                   the selected tab), then edit=, button= and list= (row
//                                   count) for each control in view, in z-order
//   inspect_window message <title>  a message box of that caption: its text lines
//   inspect_window rows <title>     the rows the visible list shows: "row=<left> <top> <right>
//                                   <bottom>" each, in pixels of the screen
//   inspect_window send <title> close|sc-close|sc-minimise|close-app
// Ends with 1 when no such window is there (no visible one for "message").
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

using platform::win32::UniqueKernelHandle;

constexpr UINT ReplyTimeoutMs = 5000;

struct Search {
    std::string title;
    const char* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<Search*>(data);
    char text[1024] = {};
    char className[64] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, className, sizeof className);
    if (search.title != text || (search.className != nullptr && std::strcmp(search.className, className) != 0))
        return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindTopLevel(const std::string& title, const char* className, bool visibleOnly)
{
    Search search{title, className, visibleOnly, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT is copied across processes by the system; GetWindowTextA would give
// another process's edit its initial text only.
std::string TextOf(HWND window)
{
    char text[4096] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            ReplyTimeoutMs, &copied) == 0)
        return "<no answer>";
    return std::string(text, copied);
}

// Memory in the other process, for the messages whose pointers the system does not copy.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~RemoteBuffer()
    {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* Address() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

// The selected tab's caption: TCM_GETITEMA fills a record in the tab control's own process.
std::string SelectedTab(HWND tabs)
{
    const LRESULT selected = SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
    if (selected < 0)
        return "<none>";
    DWORD processId = 0;
    GetWindowThreadProcessId(tabs, &processId);
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    constexpr std::size_t CaptionSize = 256;
    if (!process)
        return "#" + std::to_string(selected);
    const RemoteBuffer remote(process.Get(), sizeof(TCITEMA) + CaptionSize);
    if (remote.Address() == nullptr)
        return "#" + std::to_string(selected);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote.Address() + sizeof(TCITEMA);
    item.cchTextMax = CaptionSize;
    char caption[CaptionSize] = {};
    if (!WriteProcessMemory(process.Get(), remote.Address(), &item, sizeof item, nullptr) ||
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(remote.Address())) ==
            FALSE ||
        !ReadProcessMemory(process.Get(), item.pszText, caption, CaptionSize - 1, nullptr))
        return "#" + std::to_string(selected);
    return caption;
}

int PrintState(HWND window)
{
    std::printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
    std::printf("minimised=%d\n", IsIconic(window) ? 1 : 0);
    std::printf("foreground=%d\n", GetForegroundWindow() == window ? 1 : 0);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus != nullptr &&
        GetAncestor(thread.hwndFocus, GA_ROOT) == window)
        std::printf("focus=%s\n", ClassOf(thread.hwndFocus).c_str());
    for (HWND child : Descendants(window)) {
        const std::string kind = ClassOf(child);
        if (kind == WC_TABCONTROLA)
            std::printf("page=%s\n", SelectedTab(child).c_str());
        else if (!IsWindowVisible(child))
            continue;
        else if (kind == "Edit")
            std::printf("edit=%s\n", TextOf(child).c_str());
        else if (kind == "ListBox")
            std::printf("list=%ld\n", static_cast<long>(SendMessageA(child, LB_GETCOUNT, 0, 0)));
        else if (kind == "Button")
            std::printf("button=%s\n", TextOf(child).c_str());
    }
    return 0;
}

int PrintRows(HWND window)
{
    for (HWND child : Descendants(window)) {
        if (ClassOf(child) != "ListBox" || !IsWindowVisible(child))
            continue;
        RECT client{};
        GetClientRect(child, &client);
        const auto count = static_cast<long>(SendMessageA(child, LB_GETCOUNT, 0, 0));
        for (long row = static_cast<long>(SendMessageA(child, LB_GETTOPINDEX, 0, 0)); row >= 0 && row < count; ++row) {
            RECT item{};
            if (SendMessageA(child, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR
                || item.top >= client.bottom)
                break;
            item.bottom = std::min(item.bottom, client.bottom);
            MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&item), 2);
            std::printf("row=%ld %ld %ld %ld\n", item.left, item.top, item.right, item.bottom);
        }
    }
    return 0;
}

int PrintMessage(HWND box)
{
    for (HWND child : Descendants(box))
        if (ClassOf(child) == "Static")
            if (const std::string text = TextOf(child); !text.empty())
                std::printf("text=%s\n", text.c_str());
    return 0;
}

// What the Restart Manager sends when an installer must replace the program's file.
int CloseApp(HWND window)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, ReplyTimeoutMs,
                            &result) == 0)
        return 3;
    if (result == FALSE)
        return 4; // the program refused
    return SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, ReplyTimeoutMs,
                               &result) != 0
               ? 0
               : 3;
}

// What the caption's close and minimise boxes and the window manager send.
int Send(HWND window, const std::string& what)
{
    UINT message = 0;
    WPARAM parameter = 0;
    if (what == "close")
        message = WM_CLOSE;
    else if (what == "sc-close")
        message = WM_SYSCOMMAND, parameter = SC_CLOSE;
    else if (what == "sc-minimise")
        message = WM_SYSCOMMAND, parameter = SC_MINIMIZE;
    else if (what == "close-app")
        return CloseApp(window);
    else
        return 2;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, parameter, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &result) != 0 ? 0 : 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    const std::string title = argv[2];
    if (command == "message") {
        HWND box = FindTopLevel(title, "#32770", true);
        return box != nullptr ? PrintMessage(box) : 1;
    }
    HWND window = FindTopLevel(title, nullptr, false);
    if (window == nullptr)
        return 1;
    if (command == "state")
        return PrintState(window);
    if (command == "rows")
        return PrintRows(window);
    if (command == "send" && argc >= 4)
        return Send(window, argv[3]);
    return 2;
}
