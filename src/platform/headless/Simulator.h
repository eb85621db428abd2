#pragma once
#include <memory>

#include "platform/Platform.h"
#include "platform/headless/Clipboard.h"
#include "platform/headless/FileSystem.h"
#include "platform/headless/Installer.h"
#include "platform/headless/Registry.h"
#include "platform/headless/Shell.h"
#include "platform/headless/ShellLinks.h"
#include "platform/headless/WindowPlacement.h"

namespace platform::headless {

class Application : public IApplication {
public:
    void HideMainWindow() override { ++HideCount; }
    int HideCount = 0;
};

// Orders texts the way the user's locale does for the tests' purposes: letters
// compared without case (ASCII), then byte order.
class Locale : public ILocale {
public:
    int CompareText(const std::string& a, const std::string& b) override;
};

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
};

// Installs a fresh simulator as the process's platform and returns it.
Simulator& InstallSimulator();

} // namespace platform::headless
