#include "launch/launcher.h"

#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

using platform::ShellLinkTarget;

class LauncherTest : public SimulatorTest {
protected:
    const platform::headless::Shell::OpenCall& OnlyOpen()
    {
        EXPECT_EQ(sim.shell.Opened.size(), 1u);
        static const platform::headless::Shell::OpenCall none{};
        return sim.shell.Opened.empty() ? none : sim.shell.Opened.front();
    }
};

TEST_F(LauncherTest, NonShortcutsAreOpenedBareWithoutFolderOrParameters)
{
    for (const char* path : {"C:\\Tools\\app.exe", "C:\\Docs\\notes.lnk.txt", "C:\\dir.lnk\\file",
                             "C:\\Menu\\Site.url", "https://example.org/a.lnk?x", "C:\\Folder"}) {
        sim.shell.Opened.clear();
        LaunchPath(path, "C:\\Work", "-y");
        const auto& call = OnlyOpen();
        EXPECT_EQ(call.File, path);
        EXPECT_FALSE(call.Parameters.has_value()) << path;
        EXPECT_FALSE(call.Directory.has_value()) << path;
        EXPECT_EQ(call.ShowCommand, 1);
    }
}

TEST_F(LauncherTest, ShortcutUsesItsOwnFolderAndArgumentsUnlessTheCallerGivesThem)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Tool.LnK", {"C:\\Tools\\tool.exe", "-x", "C:\\Work"});

    LaunchPath("C:\\Menu\\Tool.LnK", "", "");
    EXPECT_EQ(OnlyOpen().File, "C:\\Tools\\tool.exe");
    EXPECT_EQ(OnlyOpen().Parameters, "-x");
    EXPECT_EQ(OnlyOpen().Directory, "C:\\Work");
    EXPECT_EQ(OnlyOpen().ShowCommand, 1);

    sim.shell.Opened.clear();
    LaunchPath("C:\\Menu\\Tool.LnK", "", "-y");
    EXPECT_EQ(OnlyOpen().Parameters, "-y");
    EXPECT_EQ(OnlyOpen().Directory, "C:\\Work");

    sim.shell.Opened.clear();
    LaunchPath("C:\\Menu\\Tool.LnK", "D:\\Elsewhere", "");
    EXPECT_EQ(OnlyOpen().Parameters, "-x");
    EXPECT_EQ(OnlyOpen().Directory, "D:\\Elsewhere");
}

TEST_F(LauncherTest, ShortcutWithoutStoredFolderOrArgumentsPassesEmptyStrings)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Tool.lnk", {"C:\\Tools\\tool.exe", "", ""});
    LaunchPath("C:\\Menu\\Tool.lnk", "", "");
    EXPECT_EQ(OnlyOpen().Parameters, std::optional<std::string>(""));
    EXPECT_EQ(OnlyOpen().Directory, std::optional<std::string>(""));
}

TEST_F(LauncherTest, UnresolvableOrTargetlessShortcutIsHandedToTheShellItself)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Moved.lnk", {"C:\\Old\\tool.exe", "-x", "C:\\Old"});
    sim.shellLinks.MakeUnresolvable("C:\\Menu\\Moved.lnk");
    LaunchPath("C:\\Menu\\Moved.lnk", "", "");
    EXPECT_EQ(OnlyOpen().File, "C:\\Menu\\Moved.lnk");
    EXPECT_EQ(OnlyOpen().Parameters, "");
    EXPECT_EQ(OnlyOpen().Directory, "");

    sim.shell.Opened.clear();
    sim.shellLinks.CreateLink("C:\\Menu\\Printers.lnk", {"", "", ""});
    LaunchPath("C:\\Menu\\Printers.lnk", "", "");
    EXPECT_EQ(OnlyOpen().File, "C:\\Menu\\Printers.lnk");

    sim.shell.Opened.clear();
    sim.files.AddFile("C:\\Menu\\Garbage.lnk", "not a link");
    LaunchPath("C:\\Menu\\Garbage.lnk", "", "");
    EXPECT_EQ(OnlyOpen().File, "C:\\Menu\\Garbage.lnk");
}

TEST_F(LauncherTest, MissingShortcutRaisesAndStartsNothing)
{
    try {
        LaunchPath("C:\\Menu\\Gone.lnk", "", "");
        FAIL() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Error opening file");
    }
    EXPECT_TRUE(sim.shell.Opened.empty());
}

TEST_F(LauncherTest, AdvertisedShortcutOpensTheInstalledProgramWithItsOwnValuesUnlessTheCallerGivesThem)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Office.lnk", {"", "/stored", "C:\\Stored"});
    sim.installer.Advertise("C:\\Menu\\Office.lnk", {"{PRODUCT}", "Feature", "{COMPONENT}"});
    sim.installer.InstallComponent("{COMPONENT}", "C:\\Program Files\\Office\\office.exe");
    // Provided on demand, or (where the installer cannot provide) found installed locally.
    for (const bool provideUnsupported : {false, true}) {
        sim.installer.ProvideUnsupported = provideUnsupported;
        sim.shell.Opened.clear();
        LaunchPath("C:\\Menu\\Office.lnk", "", "");
        EXPECT_EQ(OnlyOpen().File, "C:\\Program Files\\Office\\office.exe");
        EXPECT_EQ(OnlyOpen().Parameters, "/stored");
        EXPECT_EQ(OnlyOpen().Directory, "C:\\Stored");

        sim.shell.Opened.clear();
        LaunchPath("C:\\Menu\\Office.lnk", "C:\\Given", "/given");
        EXPECT_EQ(OnlyOpen().Parameters, "/given");
        EXPECT_EQ(OnlyOpen().Directory, "C:\\Given");
    }
}

TEST_F(LauncherTest, AdvertisedProgramThatCannotBeHadGoesToTheShellAndIsReportedWhenThatFails)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Office.lnk", {"", "/stored", ""});
    sim.installer.Advertise("C:\\Menu\\Office.lnk", {"{PRODUCT}", "Feature", "{COMPONENT}"});
    sim.installer.InstallComponent("{COMPONENT}", "C:\\Program Files\\Office\\office.exe");
    sim.installer.LoseKeyFile("{COMPONENT}"); // the installer still names the path it should have
    sim.installer.ProvideUnsupported = true;

    LaunchPath("C:\\Menu\\Office.lnk", "", "");
    EXPECT_EQ(OnlyOpen().File, "C:\\Menu\\Office.lnk") << "the shell may still manage it";

    sim.shell.Opened.clear();
    sim.shell.Refused.insert("C:\\Menu\\Office.lnk");
    try {
        LaunchPath("C:\\Menu\\Office.lnk", "", "");
        ADD_FAILURE() << "a start that did nothing went unreported";
    } catch (const Exception& error) {
        EXPECT_NE(std::string(error.what()).find("Could not start \"C:\\Menu\\Office.lnk\""), std::string::npos)
            << error.what();
    }
}

TEST_F(LauncherTest, AdvertisedShortcutOfARemovedProductOpensTheShortcut)
{
    sim.shellLinks.CreateLink("C:\\Menu\\Office.lnk", {"C:\\icon.exe", "", ""});
    sim.installer.Advertise("C:\\Menu\\Office.lnk", {"{PRODUCT}", "Feature", "{COMPONENT}"});

    LaunchPath("C:\\Menu\\Office.lnk", "", "");

    EXPECT_EQ(sim.installer.ProvideCalls, 1);
    EXPECT_EQ(OnlyOpen().File, "C:\\Menu\\Office.lnk");
}

TEST_F(LauncherTest, ReadShortcutChecksExistenceBeforeExtension)
{
    EXPECT_THROW(
        try { ReadShortcut(""); } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Error opening file");
            throw;
        },
        Exception);
    EXPECT_THROW(
        try { ReadShortcut("C:\\missing.txt"); } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Error opening file");
            throw;
        },
        Exception);
    sim.files.AddFile("C:\\notes.txt");
    EXPECT_THROW(
        try { ReadShortcut("C:\\notes.txt"); } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "File is not a shortcut");
            throw;
        },
        Exception);
}

TEST_F(LauncherTest, FailureToCreateTheShellLinkObjectTravelsUp)
{
    sim.files.AddFile("C:\\Menu\\Tool.lnk");
    sim.shellLinks.FailCreate = true;
    EXPECT_THROW(LaunchPath("C:\\Menu\\Tool.lnk", "", ""), Exception);
    EXPECT_TRUE(sim.shell.Opened.empty());
}

TEST_F(LauncherTest, ShellOpenPassesEmptyStringsAsEmpty)
{
    ShellOpen("C:\\x.exe", "", "");
    EXPECT_EQ(OnlyOpen().Parameters, std::optional<std::string>(""));
    EXPECT_EQ(OnlyOpen().Directory, std::optional<std::string>(""));
    EXPECT_EQ(OnlyOpen().ShowCommand, 1);
}

} // namespace
