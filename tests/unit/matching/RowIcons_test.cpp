// The rows' icons: looked up on the platform's worker only for the rows drawn, the newest
// drawing first; a row draws the generic icon until its own arrives and is drawn again
// then; an answer from before a rescan never reaches a row; nothing outlives its panel.
#include <memory>

#include "SearchPanelTest.h"
#include "matching/fSearchRunningUI.h"

namespace {

using platform::GenericIcon;
using platform::IconId;
using platform::IconSource;
using Icons = std::vector<IconId>;
using Texts = std::vector<std::string>;
using Kind = IconSource::Kind;

class RowIconsTest : public SearchPanelTest {
protected:
    RowIconsTest()
    {
        for (const char* name : {"Atlas", "Backup", "Calendar", "Draw", "Editor", "Files"})
            AddProgram(name);
        IconId icon = 100;
        for (const char* name : {"Atlas", "Backup", "Calendar", "Draw", "Editor", "Files"})
            SetIcon(name, icon++);
    }
    void SetIcon(const std::string& name, IconId icon) { sim.icons.SetIcon({Kind::File, PathOf(name)}, icon); }
    static std::vector<std::string> Paths(const std::vector<IconSource>& sources)
    {
        std::vector<std::string> paths;
        for (const IconSource& source : sources)
            paths.push_back(source.Path);
        return paths;
    }
};

TEST_F(RowIconsTest, RowsDrawTheGenericIconUntilTheirOwnArrivesThenAreDrawnAgain)
{
    Open();
    List().SetPageSize(4);
    EXPECT_EQ(sim.icons.Waiting(), 0u) << "filling the list asks for nothing";
    EXPECT_EQ(List().Paint(), (Icons{GenericIcon, GenericIcon, GenericIcon, GenericIcon}));
    EXPECT_EQ(sim.icons.AnswerPending(), 4) << "only the rows drawn are looked up";
    EXPECT_GT(List().IconRepaints, 0);
    EXPECT_EQ(List().Paint(), (Icons{100, 101, 102, 103}));

    // Known icons cost no lookup when drawn again, whatever the search shows.
    Search("e");
    ASSERT_EQ(Rows(), (Texts{"Editor", "Calendar", "Files"}));
    EXPECT_EQ(List().Paint(), (Icons{GenericIcon, 102, GenericIcon}));
    EXPECT_EQ(sim.icons.AnswerPending(), 2);
    EXPECT_EQ(List().Paint(), (Icons{104, 102, 105}));
    EXPECT_EQ(sim.icons.LookedUp.size(), 6u);
}

TEST_F(RowIconsTest, TheRowsDrawnLastAreLookedUpFirst)
{
    Open();
    List().SetPageSize(3);
    List().Paint();
    sim.icons.Turn(); // the message loop turns between the two drawings
    List().ScrollTo(3);
    List().Paint();
    EXPECT_EQ(sim.icons.AnswerPending(), 6);
    EXPECT_EQ(Paths(sim.icons.LookedUp), (Texts{PathOf("Draw"), PathOf("Editor"), PathOf("Files"), PathOf("Atlas"),
                                                 PathOf("Backup"), PathOf("Calendar")}));
}

TEST_F(RowIconsTest, AnAnswerFromBeforeARescanNeverReachesARow)
{
    Open();
    List().SetPageSize(6);
    Search("a");
    ASSERT_EQ(Rows(), (Texts{"Atlas", "Backup", "Calendar", "Draw"}));
    List().Paint(); // Atlas's lookup waits on a slow disk...
    // ...while Atlas is removed and its place taken by a new shortcut of the same name.
    sim.files.Remove(PathOf("Atlas"));
    ChangeProgramsAndSettle("Anchor");
    SetIcon("Anchor", 200);
    EXPECT_EQ(sim.icons.AnswerPending(), 4);
    EXPECT_EQ(List().IconRepaints, 0) << "answers asked before the rescan are thrown away";
    EXPECT_EQ(List().Paint(), (Icons{GenericIcon, GenericIcon, GenericIcon, GenericIcon}))
        << "rows of the old catalogue ask nothing for entries that may be gone";
    EXPECT_EQ(sim.icons.Waiting(), 0u);

    Search("a");
    ASSERT_EQ(Rows(), (Texts{"Anchor", "Backup", "Calendar", "Draw"}));
    List().Paint();
    sim.icons.AnswerPending();
    EXPECT_EQ(List().Paint(), (Icons{200, 101, 102, 103}));
}

TEST_F(RowIconsTest, AnIconIsLookedUpAgainOnlyWhenItsShortcutChanged)
{
    Open();
    List().SetPageSize(6);
    List().Paint();
    sim.icons.AnswerPending();
    sim.icons.LookedUp.clear();

    SetIcon("Backup", 300); // the shortcut now points elsewhere
    ChangeProgramsAndSettle("Gallery");
    panel->ResetSearch();
    EXPECT_EQ(List().Paint(), (Icons{100, 101, 102, 103, 104, 105})) << "known icons stay while they are checked";
    sim.icons.AnswerPending();
    EXPECT_EQ(Paths(sim.icons.LookedUp), (Texts{PathOf("Backup")}));
    EXPECT_EQ(List().Paint(), (Icons{100, 300, 102, 103, 104, 105}));
}

TEST_F(RowIconsTest, NothingIsAnsweredAfterThePanelIsGone)
{
    Open();
    List().Paint();
    ASSERT_GT(sim.icons.Waiting(), 0u);
    panel.reset();
    host.reset();
    EXPECT_EQ(sim.icons.Live(), 0u);
    EXPECT_EQ(sim.icons.AnswerPending(), 0);
}

TEST_F(RowIconsTest, ApplicationExitWithLookupsWaitingLeavesNothingBehind)
{
    Open();
    List().Paint();
    FreeSearchData();
    panel.reset(); // the panel outlives the catalogue at exit: its lookups still end with it
    host.reset();
    EXPECT_EQ(sim.icons.AnswerPending(), 0);
}

TEST(RowIconsSwitcher, WindowsShowTheirOwnIconElseTheGenericOne)
{
    platform::headless::Simulator& sim = platform::headless::InstallSimulator();
    const platform::WindowHandle editor = sim.windows.Open("Editor");
    sim.windows.Open("Browser");
    sim.icons.SetIcon({Kind::Window, "", 0, editor}, 42);
    {
        auto host = sim.widgets.CreateForm("TfrmSearchRunningUI");
        TfrmSearchRunningUI panel(*host);
        panel.ResetSearch();
        auto& list = static_cast<platform::headless::SimForm&>(*host).ListBox("lbSearch");
        EXPECT_EQ(list.Paint(), (Icons{GenericIcon, GenericIcon}));
        EXPECT_EQ(sim.icons.AnswerPending(), 2);
        EXPECT_EQ(list.Paint(), (Icons{GenericIcon, 42})) << "Browser has no icon of its own; Editor has";

        // A window may change its icon: asked again when the page is called up anew.
        sim.icons.SetIcon({Kind::Window, "", 0, editor}, 43);
        panel.ResetSearch();
        list.Paint();
        sim.icons.AnswerPending();
        EXPECT_EQ(list.Paint(), (Icons{GenericIcon, 43}));
    }
    platform::Install(nullptr);
}

} // namespace
