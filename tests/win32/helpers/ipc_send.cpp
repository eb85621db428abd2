// A second start in miniature, for the instance-messaging tests: sends its arguments (or
// the wake-up when there are none) through the named objects it is given, and writes
// "ok" or the error's text to the report file.
//   ipc_send <block> <event> <report> send [arguments...]
//   ipc_send <block> <event> <report> send-within <lock-timeout-ms> [arguments...]
//   ipc_send <block> <event> <report> lock-and-exit
//   ipc_send <block> <event> <report> second-start <instance lock> [arguments...]
//     (a start of the program: the first instance reports "first", a second one
//     forwards its arguments as the program does)
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "shell/SingleInstance.h"
#include "shell/uIPC.h"

namespace {

void Report(const std::string& path, const std::string& text)
{
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fputs(text.c_str(), out);
        std::fclose(out);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    const TIpcNames names{argv[1], argv[2]};
    const std::string report = argv[3];
    const std::string command = argv[4];
    int first = 5;
    try {
        platform::win32::InstallWin32Platform();
        TInstanceMessaging messaging(names);
        if (command == "lock-and-exit") {
            messaging.IpcBlock.Lock();
            Report(report, "ok");
            std::_Exit(0); // ends holding the lock, as a process that dies in the middle of a copy
        }
        if (command == "second-start") {
            TInstanceLock lock;
            if (lock.CheckSingleInstance(argv[5])) {
                Report(report, "first");
                return 3;
            }
            ForwardToRunningInstance(messaging, std::vector<std::string>(argv + 6, argv + argc));
            Report(report, "ok");
            return 0;
        }
        if (command == "send-within") {
            messaging.IpcBlock.LockTimeout = static_cast<std::uint32_t>(std::atoi(argv[5]));
            first = 6;
        } else if (command != "send") {
            return 2;
        }
        if (!messaging.SendCommandLine(std::vector<std::string>(argv + first, argv + argc)))
            messaging.SendWakeUp();
    } catch (const std::exception& error) {
        Report(report, error.what());
        return 1;
    }
    platform::Install(nullptr);
    Report(report, "ok");
    return 0;
}
