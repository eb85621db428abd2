// The catalogue discards entries while their rows are shown, or while Go runs:
// Go and Clear abbreviation must only touch live entries. Run under the
// address sanitizer these would report any use of a freed entry.
#include "SearchPanelTest.h"
#include "catalogue/uCPLProgramItem.h"
#include "config/settings.h"

namespace {

class StaleRowsTest : public SearchPanelTest {
protected:
    StaleRowsTest()
    {
        AddProgram("Mail", "", ".url"); // launched by the shell directly
        AddProgram("Music");
        AddProgram("Maps", "mp");
        Open();
    }
};

TEST_F(StaleRowsTest, GoAfterAReloadActsOnTheLiveEntryWithThePickedPath)
{
    Search("mu");
    ASSERT_EQ(Rows(), (Texts{"Music"}));
    SearchData().Reload(); // every entry the rows refer to is freed
    form->PressKey(platform::vk::Return);

    EXPECT_EQ(Picked, (Texts{PathOf("Music")}));
    EXPECT_EQ(LiveEntry(PathOf("Music"))->Abbreviation, "mu");
    EXPECT_EQ(SavedPairs(), (Pairs{{"mp", PathOf("Maps")}, {"mu", PathOf("Music")}}));
}

TEST_F(StaleRowsTest, ARescanInsideTheLaunchDoesNotLoseTheLearning)
{
    LaunchOnGo = true;
    sim.shell.WhileOpening = [this] { ChangeProgramsAndSettle("Mixer"); };
    Search("mai");
    const std::uint64_t before = SearchData().Generation();
    form->PressKey(platform::vk::Return);

    ASSERT_NE(SearchData().Generation(), before);
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, PathOf("Mail", ".url"));
    EXPECT_EQ(LiveEntry(PathOf("Mail", ".url"))->Abbreviation, "mai");
    EXPECT_EQ(SavedPairs(), (Pairs{{"mai", PathOf("Mail", ".url")}, {"mp", PathOf("Maps")}}));
}

TEST_F(StaleRowsTest, AnEntryGoneDuringTheLaunchIsNotLearned)
{
    LaunchOnGo = true;
    sim.shell.WhileOpening = [this] {
        sim.files.Remove(PathOf("Mail", ".url"));
        sim.clock.Advance(2000);
    };
    Search("mai");
    form->PressKey(platform::vk::Return);

    EXPECT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(LiveEntry(PathOf("Mail", ".url")), nullptr);
    EXPECT_EQ(SavedPairs(), (Pairs{{"mp", PathOf("Maps")}}));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

TEST_F(StaleRowsTest, GoOnARowWhoseEntryIsGoneDoesNothing)
{
    Search("mus");
    sim.files.Remove(PathOf("Music"));
    sim.clock.Advance(2000);
    ASSERT_EQ(Rows(), (Texts{"Music"})); // the panel does not follow the catalogue by itself

    form->PressKey(platform::vk::Return);
    form->PressKey(platform::vk::Return);
    EXPECT_TRUE(Picked.empty());
    EXPECT_EQ(Rows(), (Texts{"Music"}));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

// Type m, a shortcut appears elsewhere and settles, Down twice to Music, Enter: Music
// starts, once; another Enter starts Music again, not the top row.
TEST_F(StaleRowsTest, ARowSelectedAfterARescanStartsItsOwnEntry)
{
    LaunchOnGo = true;
    Search("m");
    ASSERT_EQ(Rows(), (Texts{"Maps - mp", "Mail", "Music"}));
    ChangeProgramsAndSettle("Mixer");
    form->PressKey(platform::vk::Down);
    form->PressKey(platform::vk::Down);
    ASSERT_EQ(List().ItemIndex(), 2);

    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{PathOf("Music")}));
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, PathOf("Music"));
    EXPECT_EQ(LiveEntry(PathOf("Music"))->Abbreviation, "m");

    ChangeProgramsAndSettle("Mixer Two");
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{PathOf("Music"), PathOf("Music")}));
}

TEST_F(StaleRowsTest, ClearAbbreviationAfterAReloadClearsTheLiveEntry)
{
    Search("mp");
    ASSERT_EQ(Rows()[0], "Maps - mp");
    SearchData().Reload();
    form->MenuItem("Clearabbreviation1").Click();

    EXPECT_EQ(LiveEntry(PathOf("Maps"))->Abbreviation, "");
    EXPECT_TRUE(SavedPairs().empty());
    EXPECT_EQ(Rows()[0], "Maps");
}

TEST_F(StaleRowsTest, ClearAbbreviationOfAnEntryThatIsGoneDoesNothing)
{
    Search("mp");
    sim.files.Remove(PathOf("Maps"));
    sim.clock.Advance(2000);
    form->MenuItem("Clearabbreviation1").Click();
    EXPECT_EQ(SavedPairs(), (Pairs{{"mp", PathOf("Maps")}}));
    EXPECT_EQ(Rows(), (Texts{"Maps - mp"}));
}

// An applet's path is only its name: after a rebuild the row must still find the
// applet of its own module, not the first applet of that name.
TEST_F(SearchPanelTest, AppletsOfTheSameNameInTwoModulesKeepTheirOwnRows)
{
    using platform::headless::RegValue;
    using platform::headless::SimulatedModule;
    sim.registry.SetValue(SettingsKey, "ControlPanel", RegValue::Dword(1));
    SimulatedModule module;
    platform::CplInfo info;
    info.IdName = 10;
    module.Applets = {{info, 0}};
    module.Strings[10] = "Display";
    for (const std::string path : {"C:\\windows\\system32\\one.cpl", "C:\\windows\\system32\\two.cpl"}) {
        sim.files.AddFile(path);
        sim.modules.AddModule(path, module);
    }
    LaunchOnGo = true;
    Open();
    for (int row = 0; row < 2; ++row) {
        panel->ResetSearch(); // the whole catalogue, as it is now; picking with an empty edit teaches nothing
        ASSERT_EQ(Rows(), (Texts{"Display", "Display"}));
        List().Click(row);
        // The catalogue holds the two applets alone, in the rows' order.
        const std::string cplFile = dynamic_cast<TCPLItem&>(*SearchData().Items().Pairs()[row].second).CplFile;
        SearchData().Rebuild(); // every rebuild makes the applets afresh
        form->PressKey(platform::vk::Return);
        ASSERT_EQ(sim.shell.AppletsRun.size(), static_cast<std::size_t>(row + 1));
        EXPECT_EQ(sim.shell.AppletsRun[row].CommandLine, cplFile + ",Display");
    }
    EXPECT_NE(sim.shell.AppletsRun[0].CommandLine, sim.shell.AppletsRun[1].CommandLine);
}

} // namespace

namespace {

TEST_F(StaleRowsTest, ResettingAnEmptySearchShowsTheCatalogueAsItIsNow)
{
    ChangeProgramsAndSettle("Mixer");
    ASSERT_EQ(Rows(), (Texts{"Mail", "Maps - mp", "Music"})) << "the list does not follow the catalogue by itself";
    List().SetItemIndex(1);
    panel->ResetSearch();
    EXPECT_EQ(Rows(), (Texts{"Mail", "Maps - mp", "Mixer", "Music"}));
    EXPECT_EQ(List().ItemIndex(), platform::IListBox::NoRow);

    // Nothing changed since: the list and its selection stay as they are.
    List().SetItemIndex(2);
    panel->ResetSearch();
    EXPECT_EQ(List().ItemIndex(), 2);
}

} // namespace
