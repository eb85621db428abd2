#pragma once
#include <memory>

#include "platform/Platform.h"
#include "platform/headless/Application.h"
#include "platform/headless/BackgroundWork.h"
#include "platform/headless/AppsFolder.h"
#include "platform/headless/Clipboard.h"
#include "platform/headless/FileSystem.h"
#include "platform/headless/Icons.h"
#include "platform/headless/Installer.h"
#include "platform/headless/KernelObjects.h"
#include "platform/headless/Locale.h"
#include "platform/headless/Modules.h"
#include "platform/headless/Registry.h"
#include "platform/headless/Shell.h"
#include "platform/headless/ShellLinks.h"
#include "platform/headless/SpecialFolders.h"
#include "platform/headless/Timers.h"
#include "platform/headless/TopLevelWindows.h"
#include "platform/headless/UiThread.h"
#include "platform/headless/Widgets.h"
#include "platform/headless/Screen.h"
#include "platform/headless/WindowPlacement.h"

namespace platform::headless {

// The headless platform: real state kept in memory, the same events raised.
class Simulator : public Platform {
public:
    Simulator() : shellLinks(files) {}

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
    IDirectories& Directories() override { return files; }
    IFolderWatches& FolderWatches() override { return files; }
    ITimers& Timers() override { return clock; }
    IModules& Modules() override { return modules; }
    IWidgets& Widgets() override { return widgets; }
    ITopLevelWindows& TopLevelWindows() override { return windows; }
    IKernelObjects& KernelObjects() override { return kernel; }
    IUiThread& UiThread() override { return uiThread; }
    IBackgroundWork& BackgroundWork() override { return background; }
    IAppsFolder& AppsFolder() override { return appsFolder; }
    IIcons& Icons() override { return icons; }

    headless::Registry registry;
    headless::FileSystem files;
    headless::Shell shell;
    headless::ShellLinks shellLinks;
    headless::Installer installer;
    headless::Application application;
    headless::Locale locale;
    headless::Clipboard clipboard;
    headless::FileDialogs fileDialogs;
    headless::Screen screen;
    headless::SpecialFolders specialFolders;
    headless::Clock clock;
    headless::Modules modules;
    SimWidgets widgets;
    headless::TopLevelWindows windows;
    headless::KernelObjects kernel;
    headless::UiThread uiThread;
    headless::BackgroundWork background;
    headless::AppsFolder appsFolder;
    headless::Icons icons;
};

// Installs a fresh simulator as the process's platform and returns it.
Simulator& InstallSimulator();

} // namespace platform::headless
