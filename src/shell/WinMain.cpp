#include <windows.h>

#include <memory>
#include <string>

#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "platform/ErrorReport.h"
#include "platform/win32/Application.h"
#include "platform/win32/Forms.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "shell/main.h"

namespace {

constexpr const char* InstanceLockName = "zephyrix-[{8630476D-92D9-41CD-AE9E-5FD4DB18ACC6}]";

// The single-instance lock, held by the first instance for the whole run.
platform::win32::UniqueKernelHandle InstanceLock;

// True in the first instance. The lock has no namespace prefix, so each desktop
// session has its own. A lock that cannot be had counts as another instance.
bool CheckSingleInstance(const char* name)
{
    InstanceLock.Reset(CreateMutexA(nullptr, TRUE, name));
    return InstanceLock && GetLastError() != ERROR_ALREADY_EXISTS;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const auto slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

int RunApplication()
{
    const platform::win32::ComApartment com; // shortcut reading and writing need COM on this thread
    TMainForm::GuidePath = ProgramFolder() + "zephyrix-guide.html";
    auto mainForm = std::make_unique<TMainForm>();
    auto& window = static_cast<platform::win32::Win32Form&>(*mainForm->Form);
    platform::win32::Application::SetMainWindow(window.Handle());
    // The window shows as the loop starts; the icon's one-shot timer hides it at its first tick.
    mainForm->Form->Show();
    platform::win32::RunMessageLoop([] { return false; });

    InstanceLock.Reset(); // a new instance may start from here on
    platform::win32::Application::SetMainWindow(nullptr);
    mainForm.reset(); // saves the settings and the abbreviations, removes the icon
    FreeSearchData();
    FreeConfig();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    platform::win32::InstallWin32Platform();
    if (!CheckSingleInstance(InstanceLockName))
        return 0; // another instance runs: a second one shows nothing and ends
    int exitCode = 1;
    platform::RunHandler([&] { exitCode = RunApplication(); });
    platform::Install(nullptr);
    return exitCode;
}
