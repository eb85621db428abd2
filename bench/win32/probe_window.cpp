// Measures how a running program's window answers, as another program sees it.
//   probe_window wait <title> <timeout ms>
//     waits until a top-level window of that title exists and answers a message;
//     prints "answered_after_ms=<n>" (from the probe's own start).
//   probe_window watch <title> <seconds>
//     sends the window a message every 20 ms for that long; prints the longest wait for
//     an answer, the CPU time its process used meanwhile and its working set at the end.
//   probe_window icons <title> <timeout ms>
//     waits until the window is shown, then until every row its list shows draws an icon
//     other than the generic one drawn while a row's icon is being looked up; prints
//     "icons_drawn_ms=<n>" from the moment the window was seen shown.
#include <windows.h>
#include <psapi.h>

#include <vector>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/FormDescription.h"
#include "platform/win32/Icons.h"

namespace {

ULONGLONG Now()
{
    return GetTickCount64();
}

// Milliseconds the window took to answer, or -1 when it did not within the timeout.
long long Ask(HWND window, UINT timeoutMs)
{
    const ULONGLONG sent = Now();
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) == 0)
        return -1;
    return static_cast<long long>(Now() - sent);
}

double CpuSeconds(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

int Wait(const std::string& title, unsigned timeoutMs)
{
    const ULONGLONG start = Now();
    while (Now() - start < timeoutMs) {
        const HWND window = FindWindowA(nullptr, title.c_str());
        if (window != nullptr && Ask(window, 100) >= 0) {
            std::printf("answered_after_ms=%llu\n", Now() - start);
            return 0;
        }
        Sleep(10);
    }
    std::printf("answered_after_ms=timeout\n");
    return 1;
}

int Watch(const std::string& title, unsigned seconds)
{
    const HWND window = FindWindowA(nullptr, title.c_str());
    if (window == nullptr) {
        std::printf("no window titled %s\n", title.c_str());
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    const double cpuBefore = CpuSeconds(process);
    const ULONGLONG start = Now();
    long long longest = 0;
    int unanswered = 0;
    while (Now() - start < seconds * 1000ull) {
        const long long waited = Ask(window, 10000);
        if (waited < 0)
            ++unanswered;
        else if (waited > longest)
            longest = waited;
        Sleep(20);
    }
    const double cpu = CpuSeconds(process) - cpuBefore;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    std::printf("longest_answer_ms=%lld\nunanswered=%d\ncpu_seconds_per_minute=%.3f\nworking_set_kb=%llu\n", longest,
                unanswered, cpu * 60.0 / seconds, static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
    CloseHandle(process);
    return 0;
}

HWND VisibleList(HWND window)
{
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM result) {
            char kind[16] = {};
            GetClassNameA(child, kind, sizeof(kind));
            if (std::string(kind) == "ListBox" && IsWindowVisible(child)) {
                *reinterpret_cast<HWND*>(result) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The pixels of a square of the screen.
std::vector<COLORREF> Pixels(HDC source, int x, int y, int size)
{
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size, size, source, x, y, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column)
            pixels.push_back(GetPixel(memory, column, row));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

// The generic icon as the list draws it on a row of this colour.
std::vector<COLORREF> GenericOn(int colour, int size)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, GetSysColorBrush(colour));
    platform::win32::DrawListIcon(memory, 0, 0, size, platform::GenericIcon);
    std::vector<COLORREF> pixels = Pixels(memory, 0, 0, size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

// True when every row shown draws an icon of its own.
bool EveryRowHasItsIcon(HWND list)
{
    const auto rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    int dpi = 96;
    for (const int each : {96, 120, 144, 168, 192})
        if (forms::ListRowHeightAt(each) == rowHeight)
            dpi = each;
    const int size = forms::ListIconSizeAt(dpi);
    static std::vector<COLORREF> plain, selected;
    if (plain.empty()) {
        plain = GenericOn(COLOR_WINDOW, size);
        selected = GenericOn(COLOR_HIGHLIGHT, size);
    }
    RECT client{};
    GetClientRect(list, &client);
    const auto count = static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    HDC dc = GetDC(list);
    bool all = count > 0;
    for (long row = static_cast<long>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); all && row < count; ++row) {
        RECT item{};
        if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR
            || item.bottom > client.bottom)
            break;
        const std::vector<COLORREF> shown
            = Pixels(dc, item.left + forms::Scaled(2, dpi), item.top + (item.bottom - item.top - size) / 2, size);
        all = shown != plain && shown != selected;
    }
    ReleaseDC(list, dc);
    return all;
}

int Icons(const std::string& title, unsigned timeoutMs)
{
    const ULONGLONG start = Now();
    HWND window = nullptr;
    while (Now() - start < timeoutMs && (window == nullptr || !IsWindowVisible(window))) {
        window = FindWindowA(nullptr, title.c_str());
        Sleep(2);
    }
    const ULONGLONG shown = Now();
    while (window != nullptr && Now() - start < timeoutMs) {
        const HWND list = VisibleList(window);
        if (list != nullptr && EveryRowHasItsIcon(list)) {
            std::printf("icons_drawn_ms=%llu\n", Now() - shown);
            return 0;
        }
        Sleep(10);
    }
    std::printf("icons_drawn_ms=timeout\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "wait")
        return Wait(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    if (argc == 4 && std::string(argv[1]) == "icons")
        return Icons(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    if (argc == 4 && std::string(argv[1]) == "watch")
        return Watch(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    std::fprintf(stderr, "usage: probe_window wait <title> <timeout ms> | watch <title> <seconds> | icons <title> <timeout ms>\n");
    return 2;
}
