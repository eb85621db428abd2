// Which entries a typed text lists, and in which order.
#include "SearchPanelTest.h"
#include "matching/SearchGeneration.h"

#include <limits>

namespace {

using Texts = std::vector<std::string>;

class SearchOrderTest : public SearchPanelTest {
protected:
    void AddWorkedExample()
    {
        AddProgram("Abacus Calc");
        AddProgram("Address Book", "ab");
        AddProgram("Alpha Browser Client", "abx");
        AddProgram("Backup");
        AddProgram("Cabinet", "cab");
        AddProgram("Tabby Viewer");
    }
};

TEST_F(SearchOrderTest, WorkedExampleListsAbbreviationBlocksBeforeTextBlocks)
{
    AddWorkedExample();
    Open();
    Search("ab");
    const Texts expected{"Address Book - ab", "Alpha Browser Client - abx", "Cabinet - cab", "Abacus Calc",
                         "Tabby Viewer"};
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_EQ(panel->AbbrevBlockStart, 2);
    EXPECT_EQ(panel->AbbrevBlockEnd, 3);

    Search("Ab");
    EXPECT_EQ(Rows(), expected);
}

TEST_F(SearchOrderTest, AbbreviationBlocksOrderCaseSensitivelyAndTiesFollowTheCatalogue)
{
    AddProgram("Zeta", "ab");
    AddProgram("Alpha", "ab"); // same abbreviation, earlier in the catalogue
    AddProgram("Mid", "aB");
    AddProgram("Upper", "Ab");
    AddProgram("Longer", "abc");
    Open();
    Search("a");
    EXPECT_EQ(Rows(), (Texts{"Upper - Ab", "Mid - aB", "Alpha - ab", "Zeta - ab", "Longer - abc"}));
}

TEST_F(SearchOrderTest, TextThatStartsWithTheTypedTextWinsOverAnAbbreviationSequence)
{
    AddProgram("Abc Tool", "xaxb");  // abbreviation holds a..b only in sequence
    AddProgram("Other", "zab");      // sequence match in its abbreviation
    AddProgram("Crab");              // sequence match in its text
    Open();
    Search("ab");
    // Abc Tool passes the anchored text test before the sequence pass runs: block D1.
    EXPECT_EQ(Rows(), (Texts{"Other - zab", "Abc Tool - xaxb", "Crab"}));
}

TEST_F(SearchOrderTest, EachEntryIsListedOnceAndFailingEntriesNotAtAll)
{
    AddWorkedExample();
    Open();
    Search("ab");
    const Texts rows = Rows();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "Backup"), 0);
    EXPECT_EQ(rows.size(), 5u);
}

TEST_F(SearchOrderTest, ABlankStaysInBothPatterns)
{
    AddProgram("a b c");
    AddProgram("ax by");
    AddProgram("ab");
    Open();
    Search("a b");
    EXPECT_EQ(Rows(), (Texts{"a b c", "ax by"}));
}

TEST_F(SearchOrderTest, ALoneBackslashListsEveryEntryByAbbreviationNoneFirst)
{
    AddProgram("Delta", "d");
    AddProgram("Bravo");
    AddProgram("Charlie", "c");
    AddProgram("Alpha");
    Open();
    Search("\\");
    EXPECT_EQ(Rows(), (Texts{"Alpha", "Bravo", "Charlie - c", "Delta - d"}));
    EXPECT_EQ(panel->AbbrevBlockEnd, 4);
}

TEST_F(SearchOrderTest, EmptyTextShowsTheWholeCatalogueSelectedOnlyAfterAChange)
{
    AddWorkedExample();
    Open();
    const Texts whole{"Abacus Calc", "Address Book - ab", "Alpha Browser Client - abx", "Backup", "Cabinet - cab",
                      "Tabby Viewer"};
    EXPECT_EQ(Rows(), whole);
    EXPECT_EQ(List().ItemIndex(), platform::IListBox::NoRow);
    EXPECT_EQ(Edit().Text(), "");

    Search("zzz");
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(List().ItemIndex(), platform::IListBox::NoRow);

    form->PressKey(platform::vk::Back);
    form->PressKey(platform::vk::Back);
    form->PressKey(platform::vk::Back);
    EXPECT_EQ(Rows(), whole);
    EXPECT_EQ(List().ItemIndex(), 0);
}

TEST_F(SearchOrderTest, EverySearchRepaintsTheListOnce)
{
    AddWorkedExample();
    Open();
    const int before = List().RepaintCount;
    Search("ab"); // emptying the edit is a search too: three searches
    EXPECT_EQ(List().RepaintCount, before + 2);
    form->Type("(");
    EXPECT_EQ(List().RepaintCount, before + 3); // also when the search fails
}

TEST_F(SearchOrderTest, AnInvalidPatternIsReportedAndTheNextKeystrokeSearchesAgain)
{
    AddWorkedExample();
    Open();
    Search("(");
    ASSERT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(List().ItemIndex(), platform::IListBox::NoRow);

    form->PressKey(platform::vk::Back);
    form->Type("ab");
    EXPECT_EQ(Rows().size(), 5u);
    EXPECT_EQ(sim.application.ErrorsShown.size(), 1u);
}

TEST_F(SearchOrderTest, RowsOfTheFirstPassStayWhenOnlyTheSecondPatternFails)
{
    AddProgram("aa", "a");
    AddProgram("aab");
    Open();
    // "^a{2}.*" is a valid pattern, ".*a.*{.*2.*}.*" is not.
    Search("a{2");
    const std::size_t errorsBefore = sim.application.ErrorsShown.size();
    form->Type("}");
    ASSERT_EQ(sim.application.ErrorsShown.size(), errorsBefore + 1);
    EXPECT_EQ(Rows(), (Texts{"aa - a", "aab"}));
    EXPECT_EQ(List().ItemIndex(), platform::IListBox::NoRow);
}

TEST_F(SearchOrderTest, TwoPanelsOneAfterTheOtherEachListEveryMatchOnce)
{
    AddWorkedExample();
    Open();
    Search("ab");
    const Texts first = Rows();

    auto otherHost = sim.widgets.CreateForm("TfrmSelector");
    TfrmSearchUI other(otherHost->Frame("frmSearchUI1"));
    other.edLaunch.SetText("ab");
    std::vector<std::string> second;
    for (int i = 0; i < other.lbSearch.Count(); ++i)
        second.push_back(other.lbSearch.Text(i));
    EXPECT_EQ(second, first);

    Search("ab");
    EXPECT_EQ(Rows(), first);
}

TEST(SearchGenerationTest, NumbersAreNeverZeroAndWrapWithoutOverflow)
{
    const std::int32_t saved = SearchGeneration;
    SearchGeneration = std::numeric_limits<std::int32_t>::max() - 1;
    EXPECT_EQ(NextSearchGeneration(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(NextSearchGeneration(), 1);
    SearchGeneration = saved;
}

} // namespace
