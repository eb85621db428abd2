// Go, learning and unlearning abbreviations, Clear abbreviation.
#include "SearchPanelTest.h"
#include "common/Exception.h"

namespace {

class SearchGoTest : public SearchPanelTest {
protected:
    SearchGoTest()
    {
        AddProgram("Notepad");
        AddProgram("Network Panel");
        AddProgram("Paint", "pt");
        Open();
    }
};

TEST_F(SearchPanelTest, GoHandsTheEntryToTheOwnerThenLearnsTheTrimmedLowerCasedText)
{
    AddProgram("Notepad");
    AddProgram("Paint", "pt");
    AddProgram("Open Notepad and more");
    Open();
    Search(" NotePad  "); // the blanks are part of the patterns too
    ASSERT_EQ(Rows(), (Texts{"Open Notepad and more"}));
    form->PressKey(platform::vk::Return);

    EXPECT_EQ(Picked, (Texts{PathOf("Open Notepad and more")}));
    EXPECT_EQ(LiveEntry(PathOf("Open Notepad and more"))->Abbreviation, "notepad");
    EXPECT_EQ(Rows()[0], "Open Notepad and more - notepad");
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_EQ(SavedPairs(), (Pairs{{"notepad", PathOf("Open Notepad and more")}, {"pt", PathOf("Paint")}}));
}

TEST_F(SearchGoTest, TheLearnedAbbreviationPutsTheEntryFirstAtTheNextSearch)
{
    Search("n");
    EXPECT_EQ(Rows()[0], "Network Panel");
    form->PressKey(platform::vk::Down);
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{PathOf("Notepad")}));

    Search("n");
    EXPECT_EQ(Rows(), (Texts{"Notepad - n", "Network Panel", "Paint - pt"}));
}

TEST_F(SearchGoTest, GoWithAnEmptyEditForgetsTheAbbreviationRegistryIncluded)
{
    Search("pt");
    form->PressKey(platform::vk::Back);
    form->PressKey(platform::vk::Back);
    List().Click(2); // the whole catalogue: Network Panel, Notepad, Paint - pt
    ASSERT_EQ(List().Text(2), "Paint - pt");
    form->PressKey(platform::vk::Return);

    EXPECT_EQ(LiveEntry(PathOf("Paint"))->Abbreviation, "");
    EXPECT_EQ(List().Text(2), "Paint");
    EXPECT_TRUE(SavedPairs().empty());
}

TEST_F(SearchGoTest, GoWithTheEntrysOwnAbbreviationSavesNothing)
{
    Search("pt");
    sim.registry.SetValue(AbbreviationsKey, "Count", platform::headless::RegValue::Dword(7)); // a marker
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{PathOf("Paint")}));
    EXPECT_EQ(sim.registry.FindValue(AbbreviationsKey, "Count")->Number, 7u);
}

TEST_F(SearchGoTest, TeachingAnotherEntryTheSameAbbreviationTakesItFromTheFirst)
{
    Search("np");
    form->PressKey(platform::vk::Down);
    form->PressKey(platform::vk::Return);
    ASSERT_EQ(LiveEntry(PathOf("Notepad"))->Abbreviation, "np");

    Search("NP");
    ASSERT_EQ(Rows(), (Texts{"Notepad - np", "Network Panel", "Paint - pt"}));
    form->PressKey(platform::vk::Down);
    form->PressKey(platform::vk::Return);

    EXPECT_EQ(LiveEntry(PathOf("Network Panel"))->Abbreviation, "np");
    EXPECT_EQ(LiveEntry(PathOf("Notepad"))->Abbreviation, "");
    // Only the picked row is rewritten.
    EXPECT_EQ(Rows(), (Texts{"Notepad - np", "Network Panel - np", "Paint - pt"}));
    EXPECT_EQ(SavedPairs(), (Pairs{{"np", PathOf("Network Panel")}, {"pt", PathOf("Paint")}}));
}

TEST_F(SearchGoTest, GoWithoutASelectedRowDoesNothing)
{
    Search("zzz");
    form->PressKey(platform::vk::Return);
    panel->actGoExecute();
    panel->actClearAbbrevExecute();
    EXPECT_TRUE(Picked.empty());
    EXPECT_EQ(SavedPairs(), (Pairs{{"pt", PathOf("Paint")}}));
}

TEST_F(SearchGoTest, AnErrorInTheOwnersHandlerStopsGoBeforeLearning)
{
    panel->OnGo = [](TfrmSearchUI&, TProgramInfo&) { throw Exception("Error opening file"); };
    Search("not");
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(sim.application.ErrorsShown, (Texts{"Error opening file."}));
    EXPECT_EQ(LiveEntry(PathOf("Notepad"))->Abbreviation, "");
    EXPECT_EQ(SavedPairs(), (Pairs{{"pt", PathOf("Paint")}}));
}

TEST_F(SearchGoTest, ClearAbbreviationFromTheContextMenuRebuildsSearchesAndSaves)
{
    Search("p");
    ASSERT_EQ(Rows()[0], "Paint - pt");
    form->MenuItem("Clearabbreviation1").Click();

    EXPECT_EQ(LiveEntry(PathOf("Paint"))->Abbreviation, "");
    EXPECT_EQ(Rows(), (Texts{"Paint", "Network Panel", "Notepad"}));
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_TRUE(SavedPairs().empty());
    // The catalogue's texts are current again.
    EXPECT_EQ(SearchData().Items().Text(2), "Paint");
}

TEST_F(SearchGoTest, ClearAbbreviationActsOnTheSelectedRow)
{
    form->PressKey(platform::vk::Back); // nothing to delete: no search, nothing selected
    form->MenuItem("Clearabbreviation1").Click();
    EXPECT_EQ(SavedPairs(), (Pairs{{"pt", PathOf("Paint")}}));

    Search("t");
    List().Click(2);
    form->MenuItem("Clearabbreviation1").Click();
    EXPECT_EQ(LiveEntry(PathOf("Paint"))->Abbreviation, "pt");
}

TEST_F(SearchGoTest, TheButtonAndTheMenuCarryTheActionCaptions)
{
    EXPECT_EQ(form->Button("Button1").Caption, "&Go!");
    EXPECT_TRUE(form->Button("Button1").IsDefault);
    EXPECT_EQ(form->MenuItem("Clearabbreviation1").Caption, "Clear abbreviation");
    Search("not");
    form->Button("Button1").Click();
    EXPECT_EQ(Picked, (Texts{PathOf("Notepad")}));
}

TEST_F(SearchGoTest, ADoubleClickPicksNothing)
{
    Search("n");
    List().DoubleClick(1);
    EXPECT_TRUE(Picked.empty());
}

// The edit stretches and shrinks with the window, always inside its panel, so the
// Go button beside it is never covered.
TEST_F(SearchGoTest, TheEditStretchesWithTheWindowAndStaysInsideItsPanel)
{
    auto& topLeft = form->Panel("pnlTopLeft");
    topLeft.Resize(300);
    const int narrow = Edit().Width();
    topLeft.Resize(900);
    EXPECT_GT(Edit().Width(), narrow + 500);
    for (const int width : {300, 900, 40}) {
        topLeft.Resize(width);
        EXPECT_LT(Edit().Width(), width) << width;
        EXPECT_GT(Edit().Width(), width - 20) << width;
    }
}

} // namespace
