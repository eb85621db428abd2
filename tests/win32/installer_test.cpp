// The launcher against Wine's real Windows Installer: a small product (record_start.exe,
// packed by the build from helpers/advertised_app.wxs) installed for the user, and an
// advertised shortcut to it as an installer writes one.
#include <windows.h>

#include "AdvertisedShortcutWriter.h"
#include "Win32Test.h"
#include "common/Exception.h"
#include "launch/launcher.h"
#include "platform/Platform.h"

namespace {

constexpr GUID Product = {0x7803F41C, 0xF317, 0x4F60, {0x8E, 0x94, 0xF8, 0xE5, 0x17, 0x62, 0x34, 0x6F}};
constexpr GUID Component = {0x1A943DDB, 0x356A, 0x445B, {0xB3, 0x44, 0x2E, 0x71, 0x8E, 0xDA, 0xA8, 0x06}};
constexpr const char* ProductCode = "{7803F41C-F317-4F60-8E94-F8E51762346F}";
constexpr const char* ComponentCode = "{1A943DDB-356A-445B-B344-2E718EDAA806}";

DWORD RunAndWait(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return GetLastError();
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

// Installed for the test's length, removed at its end.
class InstalledProduct {
public:
    explicit InstalledProduct(const std::string& package) : result_(RunAndWait("msiexec /i \"" + package + "\" /qn")) {}
    ~InstalledProduct() { RunAndWait(std::string("msiexec /x ") + ProductCode + " /qn"); }
    DWORD Result() const { return result_; }

private:
    DWORD result_;
};

class InstallerContract : public Win32Test {};

TEST_F(InstallerContract, AdvertisedShortcutStartsTheInstalledProgramWithItsArgumentsAndFolder)
{
    const InstalledProduct installed(ProgramFolder() + "\\advertised_app.msi");
    ASSERT_EQ(installed.Result(), 0u) << "msiexec /i";
    const std::string workFolder = Scratch("work");
    CreateDirectoryA(workFolder.c_str(), nullptr);
    const std::string shortcut = Scratch("Recorder.lnk");
    ASSERT_TRUE(AdvertisedShortcutWriter::Write(shortcut, Product, "Recorder", Component, "/safe -x", workFolder));

    const auto advertised = platform::Installer().GetShortcutTarget(shortcut);
    ASSERT_TRUE(advertised);
    EXPECT_EQ(*advertised, (platform::AdvertisedShortcut{ProductCode, "Recorder", ComponentCode}));
    const auto keyFile = platform::Installer().InstalledKeyFile(*advertised);
    ASSERT_TRUE(keyFile);
    EXPECT_NE(keyFile->find("ZephyrixTestRecorder\\record_start.exe"), std::string::npos) << *keyFile;

    const std::string record = workFolder + "\\started.txt";
    LaunchPath(shortcut, "", "");
    ASSERT_TRUE(WaitForFile(record)) << "nothing started";
    EXPECT_EQ(ReadFile(record), "/safe -x\n" + workFolder + "\n");

    DeleteFileA(record.c_str());
    LaunchPath(shortcut, "", "/given");
    ASSERT_TRUE(WaitForFile(record)) << "nothing started";
    EXPECT_EQ(ReadFile(record), "/given\n" + workFolder + "\n") << "the caller's parameters win";

    // Its key file gone, the installer still names the path it should have: that is not
    // started, and neither can the shell start the shortcut, which is said.
    const std::string moved = Scratch("record_start.exe");
    ASSERT_TRUE(MoveFileA(keyFile->c_str(), moved.c_str()));
    EXPECT_FALSE(platform::Installer().InstalledKeyFile(*advertised));
    DeleteFileA(record.c_str());
    try {
        LaunchPath(shortcut, "", "");
        ADD_FAILURE() << "a start that did nothing went unreported";
    } catch (const Exception& error) {
        EXPECT_NE(std::string(error.what()).find("Could not start"), std::string::npos) << error.what();
    }
    MoveFileA(moved.c_str(), keyFile->c_str());
}

} // namespace
