#pragma once
#include <memory>

#include "platform/Application.h"
#include "platform/BackgroundWork.h"
#include "platform/AppsFolder.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Directories.h"
#include "platform/FileSystem.h"
#include "platform/FolderWatches.h"
#include "platform/Icons.h"
#include "platform/Installer.h"
#include "platform/KernelObjects.h"
#include "platform/Locale.h"
#include "platform/Modules.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/ShellLinks.h"
#include "platform/Screen.h"
#include "platform/WindowPlacement.h"
#include "platform/SpecialFolders.h"
#include "platform/Timers.h"
#include "platform/TopLevelWindows.h"
#include "platform/Widgets.h"
#include "platform/UiThread.h"

// How outcomes cross this layer, in every interface below. A failure the user is to
// see is raised as an exception carrying its message (Exception, or a subclass a
// caller may single out, such as ERegistry or EForeignObject); the event boundary
// reports it. An outcome the logic branches on is returned by value: std::optional
// (or a null pointer for an owned object) when the answer may be missing, a small
// named result struct or enum when there are more cases. No out-parameters, no
// -1/-2 sentinels, no Win32 or installer codes: so the callers read the same on both
// backends and never catch an exception only to decide what to do next.

namespace platform {

// Everything the system asks of the operating system. The process installs one
// platform at start-up: WinMain the Win32 one, each test a fresh simulator.
class Platform {
public:
    virtual ~Platform() = default;
    virtual IRegistry& Registry() = 0;
    virtual IShell& Shell() = 0;
    virtual IShellLinks& ShellLinks() = 0;
    virtual IInstaller& Installer() = 0;
    virtual IFileSystem& FileSystem() = 0;
    virtual IApplication& Application() = 0;
    virtual ILocale& Locale() = 0;
    virtual IClipboard& Clipboard() = 0;
    virtual IFileDialogs& FileDialogs() = 0;
    virtual IScreen& Screen() = 0;
    virtual ISpecialFolders& SpecialFolders() = 0;
    virtual IDirectories& Directories() = 0;
    virtual IFolderWatches& FolderWatches() = 0;
    virtual ITimers& Timers() = 0;
    virtual IModules& Modules() = 0;
    virtual IWidgets& Widgets() = 0;
    virtual ITopLevelWindows& TopLevelWindows() = 0;
    virtual IKernelObjects& KernelObjects() = 0;
    virtual IUiThread& UiThread() = 0;
    virtual IBackgroundWork& BackgroundWork() = 0;
    virtual IAppsFolder& AppsFolder() = 0;
    virtual IIcons& Icons() = 0;
};

// Replaces the installed platform (the previous one is destroyed); null uninstalls.
void Install(std::unique_ptr<Platform> platform);
// Throws std::logic_error when no platform is installed.
Platform& Current();

inline IRegistry& Registry() { return Current().Registry(); }
inline IShell& Shell() { return Current().Shell(); }
inline IShellLinks& ShellLinks() { return Current().ShellLinks(); }
inline IInstaller& Installer() { return Current().Installer(); }
inline IFileSystem& FileSystem() { return Current().FileSystem(); }
inline IApplication& Application() { return Current().Application(); }
inline ILocale& Locale() { return Current().Locale(); }
inline IClipboard& Clipboard() { return Current().Clipboard(); }
inline IFileDialogs& FileDialogs() { return Current().FileDialogs(); }
inline IScreen& Screen() { return Current().Screen(); }
inline ISpecialFolders& SpecialFolders() { return Current().SpecialFolders(); }
inline IDirectories& Directories() { return Current().Directories(); }
inline IFolderWatches& FolderWatches() { return Current().FolderWatches(); }
inline ITimers& Timers() { return Current().Timers(); }
inline IModules& Modules() { return Current().Modules(); }
inline IWidgets& Widgets() { return Current().Widgets(); }
inline ITopLevelWindows& TopLevelWindows() { return Current().TopLevelWindows(); }
inline IKernelObjects& KernelObjects() { return Current().KernelObjects(); }
inline IUiThread& UiThread() { return Current().UiThread(); }
inline IBackgroundWork& BackgroundWork() { return Current().BackgroundWork(); }
inline IAppsFolder& AppsFolder() { return Current().AppsFolder(); }
inline IIcons& Icons() { return Current().Icons(); }

} // namespace platform
