#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <stdlib.h>

#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "platform/ErrorReport.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Application.h"
#include "platform/win32/Forms.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "shell/SingleInstance.h"
#include "shell/main.h"
#include "shell/uIPC.h"

namespace {

// The single-instance lock, held by the first instance for the whole run.
TInstanceLock InstanceLock;

std::string ProgramFolder()
{
    // A folder of MAX_PATH characters, in UTF-8 bytes; a path that filled the buffer was
    // cut, and a cut path is not our folder.
    std::vector<char> path(platform::win32::AnsiPathBufferSize, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), platform::win32::AnsiPathBufferSize);
    if (length == 0 || length >= platform::win32::AnsiPathBufferSize)
        return {};
    std::string folder(path.data(), length);
    const auto slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// The arguments as the runtime split the command line (quotes removed).
std::vector<std::string> Arguments()
{
    std::vector<std::string> arguments;
    for (int n = 1; n < __argc; ++n)
        arguments.emplace_back(__argv[n]);
    return arguments;
}

int RunApplication(const std::string& startText)
{
    const platform::win32::ComApartment com; // shortcut reading and writing need COM on this thread
    TMainForm::GuidePath = ProgramFolder() + "zephyrix-guide.html";
    auto mainForm = std::make_unique<TMainForm>();
    auto& window = static_cast<platform::win32::Win32Form&>(*mainForm->Form);
    platform::win32::Application::SetMainWindow(window.Handle());
    // An installer's Restart Manager that closed the program to replace it starts the
    // new version again; a crash, a hang or a restart of Windows does not (the sign-in
    // entry does that).
    RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
    // The window shows as the loop starts; the icon's one-shot timer hides it at its first tick.
    mainForm->Form->Show();
    // This instance's own arguments go straight to its window; a text shown this
    // way also stops the start-up hide from taking the window away again.
    if (!startText.empty())
        mainForm->ShowFromMessage(startText);
    TMainForm* receiver = mainForm.get();
    Ipc().StartListening([receiver](const std::string& text) { receiver->ShowFromMessage(text); });
    platform::win32::RunMessageLoop([] { return false; });
    Ipc().StopListening();

    platform::win32::Application::SetMainWindow(nullptr);
    mainForm.reset(); // saves the settings and the abbreviations, frees the hotkeys, removes the icon
    FreeSearchData();
    FreeConfig();
    // Last: a new instance started from here on finds the hotkeys free and the
    // abbreviations written.
    InstanceLock.Release();
    return 0;
}

} // namespace

// A second start sends one text only: its arguments, which also bring the window
// forward, or else the empty wake-up. Two texts in the one-text block could
// overwrite each other before the running instance reads them.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    platform::win32::InstallWin32Platform();
    int exitCode = 1;
    platform::RunHandler([&] {
        InitializeIpc();
        const std::vector<std::string> arguments = Arguments();
        if (!InstanceLock.CheckSingleInstance()) {
            ForwardToRunningInstance(Ipc(), arguments);
            exitCode = 0; // shows nothing
            return;
        }
        exitCode = RunApplication(arguments.empty() ? std::string() : CommandLineText(arguments));
    });
    FinalizeIpc();
    platform::Install(nullptr);
    return exitCode;
}
