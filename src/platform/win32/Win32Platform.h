#pragma once
#include "platform/Platform.h"
#include "platform/ThreadedBackgroundWork.h"
#include "platform/win32/Application.h"
#include "platform/win32/AppsFolder.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/Directories.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/FolderWatches.h"
#include "platform/win32/Icons.h"
#include "platform/win32/Installer.h"
#include "platform/win32/KernelObjects.h"
#include "platform/win32/Locale.h"
#include "platform/win32/Modules.h"
#include "platform/win32/Registry.h"
#include "platform/win32/Shell.h"
#include "platform/win32/ShellLinks.h"
#include "platform/win32/Screen.h"
#include "platform/win32/SpecialFolders.h"
#include "platform/win32/Timers.h"
#include "platform/win32/TopLevelWindows.h"
#include "platform/win32/Widgets.h"
#include "platform/win32/UiThread.h"

namespace platform::win32 {

// The real Windows platform, installed by WinMain (and by the Win32 contract tests).
class Win32Platform : public Platform {
public:
    IRegistry& Registry() override { return registry; }
    IShell& Shell() override { return shell; }
    IShellLinks& ShellLinks() override { return shellLinks; }
    IInstaller& Installer() override { return installer; }
    IFileSystem& FileSystem() override { return files; }
    IApplication& Application() override { return application; }
    ILocale& Locale() override { return locale; }
    IClipboard& Clipboard() override { return clipboard; }
    IFileDialogs& FileDialogs() override { return fileDialogs; }
    IScreen& Screen() override { return screen; }
    ISpecialFolders& SpecialFolders() override { return specialFolders; }
    IDirectories& Directories() override { return directories; }
    IFolderWatches& FolderWatches() override { return folderWatches; }
    ITimers& Timers() override { return timers; }
    IModules& Modules() override { return modules; }
    IWidgets& Widgets() override { return widgets; }
    ITopLevelWindows& TopLevelWindows() override { return windows; }
    IKernelObjects& KernelObjects() override { return kernel; }
    IUiThread& UiThread() override { return uiThread; }
    IBackgroundWork& BackgroundWork() override { return background; }
    IAppsFolder& AppsFolder() override { return appsFolder; }
    IIcons& Icons() override { return icons; }

    win32::Registry registry;
    win32::Shell shell;
    win32::ShellLinks shellLinks;
    win32::Installer installer;
    win32::FileSystem files;
    win32::Application application;
    win32::Locale locale;
    win32::Clipboard clipboard;
    win32::FileDialogs fileDialogs;
    win32::Screen screen;
    win32::SpecialFolders specialFolders;
    win32::Directories directories;
    win32::FolderWatches folderWatches;
    win32::Timers timers;
    win32::Modules modules;
    win32::Widgets widgets;
    win32::TopLevelWindows windows;
    win32::KernelObjects kernel;
    win32::UiThread uiThread; // created on the thread that installs the platform
    ThreadedBackgroundWork background;
    win32::AppsFolder appsFolder;
    win32::Icons icons;
};

// Installs the Win32 platform as the process's platform.
void InstallWin32Platform();

} // namespace platform::win32
