// The catalogue discards entries while their rows are shown, or while Go runs:
// Go and Clear abbreviation must only touch live entries. Run under the
// address sanitizer these would report any use of a freed entry.
#include "SearchPanelTest.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Texts = std::vector<std::string>;

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

TEST_F(StaleRowsTest, GoOnARowWhoseEntryWasRemovedShowsTheCatalogueAsItIsNow)
{
    Search("mus");
    sim.files.Remove(PathOf("Music"));
    sim.clock.Advance(2000);
    ASSERT_EQ(Rows(), (Texts{"Music"})); // the panel does not follow the catalogue by itself

    form->PressKey(platform::vk::Return);
    EXPECT_TRUE(Picked.empty());
    EXPECT_TRUE(Rows().empty());
}

TEST_F(StaleRowsTest, ASelectionMadeAfterTheRescanIsCheckedBeforeUse)
{
    Search("m");
    ASSERT_EQ(Rows(), (Texts{"Maps - mp", "Mail", "Music"}));
    ChangeProgramsAndSettle("Mixer");
    List().Click(2); // the row's entry is already freed: only its place is known

    form->PressKey(platform::vk::Return);
    EXPECT_TRUE(Picked.empty());
    EXPECT_EQ(Rows(), (Texts{"Maps - mp", "Mail", "Mixer", "Music"}));

    List().Click(3);
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{PathOf("Music")}));
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

TEST_F(StaleRowsTest, ClearAbbreviationOfAnEntryThatIsGoneOnlyRefreshes)
{
    Search("mp");
    sim.files.Remove(PathOf("Maps"));
    sim.clock.Advance(2000);
    form->MenuItem("Clearabbreviation1").Click();
    EXPECT_EQ(SavedPairs(), (Pairs{{"mp", PathOf("Maps")}}));
    EXPECT_EQ(Rows(), (Texts{}));
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
