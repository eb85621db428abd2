#include "matching/fSelector.h"

#include <stdexcept>

#include "CatalogueTest.h"

namespace {

using namespace platform;
using platform::headless::SimForm;
using platform::headless::SimListBox;
using Pairs = std::vector<std::pair<std::string, std::string>>;

class SelectorTest : public CatalogueTest {
protected:
    SelectorTest()
    {
        AddProgram("Notepad", "ed");
        AddProgram("Network Panel");
        AddProgram("Paint");
    }

    // Shows the dialog with the user's actions; returns what SelectProgram gave.
    bool Select(const std::function<void(SimForm&)>& user)
    {
        sim.widgets.WhileModal = [&](SimForm& dialog) {
            Shown = &dialog;
            EXPECT_EQ(dialog.Caption, "Select a program");
            user(dialog);
        };
        return SelectProgram(Picked);
    }

    static SimListBox& ListOf(SimForm& dialog) { return dialog.Frame("frmSearchUI1").ListBox("lbSearch"); }

    TEntryIdentity Picked;
    SimForm* Shown = nullptr;
};

TEST_F(SelectorTest, OpensOnAnEmptyFocusedSearchOverTheWholeCatalogue)
{
    EXPECT_FALSE(Select([](SimForm& dialog) {
        auto& panel = dialog.Frame("frmSearchUI1");
        EXPECT_TRUE(panel.Edit("edLaunch").Focused());
        EXPECT_EQ(ListOf(dialog).Count(), 3);
        EXPECT_EQ(ListOf(dialog).ItemIndex(), IListBox::NoRow);
    }));
    EXPECT_EQ(sim.widgets.OpenForms, 0);
}

TEST_F(SelectorTest, EnterAtOnceDoesNothingAndTheDialogStaysOpen)
{
    EXPECT_FALSE(Select([](SimForm& dialog) {
        dialog.PressKey(vk::Return);
        EXPECT_EQ(dialog.ModalResult(), ModalResultNone);
        dialog.Close();
    }));
    EXPECT_EQ(Picked, TEntryIdentity{});
}

TEST_F(SelectorTest, DownThenEnterPicksFromTheWholeListAndForgetsItsAbbreviation)
{
    // The unfiltered list: Network Panel, Notepad - ed, Paint.
    ASSERT_TRUE(Select([](SimForm& dialog) {
        dialog.PressKey(vk::Down);
        dialog.PressKey(vk::Down);
        dialog.PressKey(vk::Return);
    }));
    EXPECT_EQ(Picked.Path, PathOf("Notepad"));
    EXPECT_EQ(LiveEntry(PathOf("Notepad"))->Abbreviation, "");
    EXPECT_TRUE(SavedPairs().empty());
}

TEST_F(SelectorTest, TypingAndEnterPicksTheFirstRowAndLearnsBeforeClosing)
{
    ASSERT_TRUE(Select([this](SimForm& dialog) {
        dialog.Type("np");
        dialog.PressKey(vk::Return);
        EXPECT_EQ(dialog.ModalResult(), ModalResultOk);
        EXPECT_EQ(SavedPairs(), (Pairs{{"np", PathOf("Network Panel")}, {"ed", PathOf("Notepad")}})); // in path order
    }));
    EXPECT_EQ(Picked.Path, PathOf("Network Panel"));
    EXPECT_EQ(LiveEntry(PathOf("Network Panel"))->Abbreviation, "np");
}

TEST_F(SelectorTest, EscapeReturnsFalseAndLeavesEverythingAsItWas)
{
    const TEntryIdentity untouched{"C:\\untouched.lnk", ""};
    Picked = untouched;
    EXPECT_FALSE(Select([](SimForm& dialog) {
        dialog.Type("pa");
        dialog.PressKey(vk::Escape);
        EXPECT_EQ(dialog.ModalResult(), ModalResultCancel);
        EXPECT_EQ(dialog.Frame("frmSearchUI1").Edit("edLaunch").Text(), "pa"); // the key was consumed
    }));
    EXPECT_EQ(Picked, untouched);
    EXPECT_EQ(SavedPairs(), (Pairs{{"ed", PathOf("Notepad")}}));
}

TEST_F(SelectorTest, ATextThatIsNoPatternIsSearchedAsItStandsAndTheDialogStaysOpen)
{
    ASSERT_TRUE(Select([](SimForm& dialog) {
        dialog.Type("[");
        EXPECT_EQ(dialog.ModalResult(), ModalResultNone);
        EXPECT_EQ(ListOf(dialog).Count(), 0);
        dialog.PressKey(vk::Back);
        dialog.Type("pai");
        dialog.PressKey(vk::Return);
    }));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
    EXPECT_EQ(Picked.Path, PathOf("Paint"));
}

// The caller uses the pick after the modal loop, which may have handled a rescan that
// freed the picked entry: what comes back is what the entry stood for.
TEST_F(SelectorTest, ThePickOutlivesARescanBeforeTheDialogCloses)
{
    ASSERT_TRUE(Select([this](SimForm& dialog) {
        dialog.Type("pai");
        dialog.PressKey(vk::Return);
        ChangeProgramsAndSettle("Paintbrush");
    }));
    const TProgramInfo* live = FindLiveEntry(Picked);
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(live->Path, PathOf("Paint"));
    EXPECT_EQ(live->Abbreviation, "pai");
}

TEST_F(SelectorTest, TheDialogIsDestroyedAlsoWhenShowingFails)
{
    EXPECT_THROW(Select([](SimForm&) { throw std::runtime_error("the dialog could not be shown"); }),
                 std::runtime_error);
    EXPECT_EQ(sim.widgets.OpenForms, 0);
}

TEST_F(SelectorTest, TheLearnedAbbreviationReachesTheOtherPanelAtItsNextKeystroke)
{
    auto mainForm = sim.widgets.CreateForm("TfrmSearchUI");
    TfrmSearchUI mainPanel(*mainForm);
    ASSERT_TRUE(Select([](SimForm& dialog) {
        dialog.Type("pa");
        dialog.PressKey(vk::Return);
    }));
    mainPanel.edLaunch.SetText("p");
    EXPECT_EQ(mainPanel.lbSearch.Text(0), "Paint - pa");
}

} // namespace
