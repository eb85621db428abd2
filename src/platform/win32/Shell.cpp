#include "platform/win32/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

bool Shell::Open(const std::string& file, const std::optional<std::string>& parameters,
                 const std::optional<std::string>& directory, int showCommand)
{
    // Values above 32 mean success; the others are error codes in a handle's clothing.
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", file.c_str(),
                                                                parameters ? parameters->c_str() : nullptr,
                                                                directory ? directory->c_str() : nullptr, showCommand));
    return result > 32;
}

void Shell::ControlRunDll(const std::string& commandLine, int showCommand)
{
    // Control_RunDLL is exported by shell32 but declared in no SDK header.
    using ControlRunDllProc = void(WINAPI*)(HWND, HINSTANCE, LPCSTR, DWORD);
    const UniqueModule shell32(LoadLibraryA("shell32.dll"));
    if (!shell32)
        RaiseLastOSError();
    auto proc = reinterpret_cast<ControlRunDllProc>(
        reinterpret_cast<void*>(GetProcAddress(shell32.Get(), "Control_RunDLL")));
    if (proc == nullptr)
        proc = reinterpret_cast<ControlRunDllProc>(
            reinterpret_cast<void*>(GetProcAddress(shell32.Get(), "Control_RunDLLA")));
    if (proc == nullptr)
        RaiseLastOSError();
    proc(Application::OwnerWindow(), nullptr, commandLine.c_str(), static_cast<DWORD>(showCommand));
}

} // namespace platform::win32
