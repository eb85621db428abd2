// Measures how a running program's window answers, as another program sees it.
//   probe_window wait <title> <timeout ms>
//     waits until a top-level window of that title exists and answers a message;
//     prints "answered_after_ms=<n>" (from the probe's own start).
//   probe_window watch <title> <seconds>
//     sends the window a message every 20 ms for that long; prints the longest wait for
//     an answer, the CPU time its process used meanwhile and its working set at the end.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "wait")
        return Wait(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    if (argc == 4 && std::string(argv[1]) == "watch")
        return Watch(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    std::fprintf(stderr, "usage: probe_window wait <title> <timeout ms> | watch <title> <seconds>\n");
    return 2;
}
