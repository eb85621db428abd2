#include "catalogue/uProgramInfo.h"

#include <memory>

#include "SimulatorTest.h"
#include "matching/abbreviations.h"

namespace {

using EntryTest = SimulatorTest;

TEST_F(EntryTest, NameIsTheFileNameWithoutItsLastExtension)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Menu\\Programs\\Accessories\\Notepad.lnk", "Notepad"},
        {"C:\\Docs\\report.doc.lnk", "report.doc"},
        {"Media.Player.lnk", "Media.Player"},
        {"C:\\Setup", "Setup"},
        {"C:\\X\\.lnk", ""},
        {"D:Games.lnk", "Games"},
        {"Runtime 1.4", "Runtime 1"},
        {"Tools: Network\\Proxy", "Proxy"},
        {"C:\\dir.v2\\Readme", "Readme"},
        {"C:\\Trailing\\", ""},
    };
    for (const auto& c : cases) {
        TProgramInfo entry;
        entry.SetPath(c.path);
        EXPECT_EQ(entry.Name, c.name) << c.path;
        EXPECT_EQ(entry.Path, c.path);
    }
}

TEST_F(EntryTest, DisplayTextAddsTheAbbreviationAfterADash)
{
    TProgramInfo entry;
    EXPECT_EQ(entry.DisplayText(), "") << "a new entry shows nothing";
    entry.SetPath("C:\\Menu\\Notepad.lnk");
    EXPECT_EQ(entry.DisplayText(), "Notepad") << "and no abbreviation until the store gives one";
    entry.Abbreviation = "np";
    EXPECT_EQ(entry.DisplayText(), "Notepad - np");

    TProgramInfo nameless;
    nameless.SetPath("C:\\X\\.lnk");
    EXPECT_EQ(nameless.DisplayText(), "");
    nameless.Abbreviation = "x";
    EXPECT_EQ(nameless.DisplayText(), " - x");
}

TEST_F(EntryTest, PlainAndRecentEntriesLaunchTheirPathThroughTheShell)
{
    TProgramInfo plain;
    plain.SetPath("C:\\Tools\\app.exe");
    TRecentProgramInfo recent;
    recent.SetPath("C:\\Docs\\letter.txt");
    TProgramInfo& asBase = recent;

    plain.Launch();
    asBase.Launch();

    ASSERT_EQ(sim.shell.Opened.size(), 2u);
    EXPECT_EQ(sim.shell.Opened[0].File, "C:\\Tools\\app.exe");
    EXPECT_EQ(sim.shell.Opened[1].File, "C:\\Docs\\letter.txt");
    EXPECT_EQ(sim.application.HideCount, 0) << "the main window hides itself after a launch, not the entry";
}

TEST_F(EntryTest, ControlPanelAppletHidesTheWindowAndRunsModuleCommaApplet)
{
    TCPLItem applet("C:\\Windows\\System32\\java.cpl", "Runtime 1.4");
    applet.SetPath(applet.AppletName);
    TProgramInfo& asBase = applet;

    asBase.Launch();

    EXPECT_EQ(applet.Name, "Runtime 1");
    EXPECT_EQ(applet.Path, "Runtime 1.4");
    EXPECT_EQ(sim.application.HideCount, 1);
    ASSERT_EQ(sim.shell.AppletsRun.size(), 1u);
    EXPECT_EQ(sim.shell.AppletsRun[0].CommandLine, "C:\\Windows\\System32\\java.cpl,Runtime 1.4");
    EXPECT_EQ(sim.shell.AppletsRun[0].ShowCommand, 5);
    EXPECT_TRUE(sim.shell.Opened.empty());
}

TEST_F(EntryTest, ClearAbbreviationRecordsTheEmptyAbbreviationInTheStore)
{
    TAbbrevInfos store;
    TProgramInfo entry;
    entry.SetPath("C:\\Menu\\Notepad.lnk");
    entry.Abbreviation = store.FindAbbrev(entry);
    entry.Abbreviation = "np";
    store.SetAbbrev(entry);

    entry.ClearAbbreviation();

    EXPECT_TRUE(entry.Abbreviation.empty());
    store.SaveToRegistry();
    EXPECT_EQ(sim.registry.FindValue(AbbreviationsKey, "Count")->Number, 0u);
}

TEST_F(EntryTest, ClearAbbreviationWithoutAbbreviationStillCreatesARecord)
{
    TAbbrevInfos store;
    TProgramInfo entry;
    entry.SetPath("C:\\Menu\\Notepad.lnk");
    entry.Abbreviation = store.FindAbbrev(entry);
    ASSERT_EQ(store.Count(), 0u);

    entry.ClearAbbreviation();

    EXPECT_EQ(store.Count(), 1u);
}

} // namespace
