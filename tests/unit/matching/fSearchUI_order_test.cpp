// Which entries a typed text lists, and in which order.
#include "SearchPanelTest.h"
#include "matching/SearchGeneration.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <random>

namespace {

// Valid; its sequence pattern is the shape on which a backtracking engine explodes on a long run of a's.
const std::string CostlyPattern = "aaaaaaaaaaaaa[.]c";

class SearchOrderTest : public SearchPanelTest {
protected:
    // The user pastes the whole text into the edit: one search.
    void Paste(const std::string& text)
    {
        form->Guard([&] { Edit().SetText(text); });
    }

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
    AddProgram(std::string(40, 'a'));
    Open();
    const int before = List().RepaintCount;
    Search("ab"); // emptying the edit is a search too: three searches
    EXPECT_EQ(List().RepaintCount, before + 2);
    Paste(CostlyPattern);
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
    EXPECT_EQ(List().RepaintCount, before + 3) << "also for a pattern";
}

// Names hold brackets, pluses and stars; typed as they read, they are not valid
// patterns and are searched as plain text, without an error. Valid patterns keep
// their meaning.
TEST_F(SearchOrderTest, ATextThatIsNoPatternIsSearchedAsPlainText)
{
    AddProgram("Tool (x86)");
    AddProgram("Toolbox");
    AddProgram("[Draft] Notes");
    AddProgram("C++ Builder");
    AddProgram("Notepad++");
    Open();
    Search("tool (");
    EXPECT_EQ(Rows(), (Texts{"Tool (x86)"}));
    Search("x86)");
    EXPECT_EQ(Rows(), (Texts{"Tool (x86)"}));
    Search("[dr");
    EXPECT_EQ(Rows(), (Texts{"[Draft] Notes"}));
    Search("+");
    EXPECT_EQ(Rows(), (Texts{"C++ Builder", "Notepad++"}));
    Search("c++");
    EXPECT_EQ(Rows(), (Texts{"C++ Builder"}));
    Search("*");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(sim.application.ErrorsShown.empty());

    Search("t.olb");
    EXPECT_EQ(Rows(), (Texts{"Toolbox"})) << "a dot stands for any one character";
    Search("(x86|draft)");
    EXPECT_EQ(Rows(), (Texts{"[Draft] Notes", "Tool (x86)"})) << "a valid pattern keeps its meaning";
    Search("(");
    EXPECT_EQ(Rows(), (Texts{"Tool (x86)"}));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

// Typed texts of letters and dots go to the direct matcher: over a catalogue of
// realistic size they list what they match and raise nothing.
TEST_F(SearchOrderTest, DottedTypedTextsSearchARealisticCatalogueWithoutError)
{
    const char* const words[] = {"Microsoft", "Visual", "Studio", "Code", "Python", "3.12", "(64-bit)", "Tools",
                                 "Adobe", "Acrobat", "Reader", "Uninstall", "Help", "Documentation", "Java",
                                 "Development", "Kit", "Notepad++", "Git", "Bash", "Mozilla", "Firefox", "Office"};
    std::mt19937 random(3);
    for (int n = 0; n < 2000; ++n) {
        std::string name;
        for (int w = 0; w < 4; ++w)
            name += std::string(words[random() % std::size(words)]) + " ";
        AddProgram(name + std::to_string(n));
    }
    AddProgram("Python 3.12 (64-bit)");
    Open();
    for (const std::string typed : {"p.y.t.h.o.n", "a.e.i.o.u", "co.de.to.ol"}) {
        Search(typed);
        EXPECT_TRUE(sim.application.ErrorsShown.empty()) << typed;
    }
    Search("p.t.o. 3");
    const Texts rows = Rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Python 3.12 (64-bit)"), rows.end());
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

// A valid pattern that costs too much on one name: the search stops there with the
// error; the rows of the first pass stay, none selected; the next keystroke searches again.
TEST_F(SearchOrderTest, APatternCostlyToABacktrackingEngineListsItsRowsWithoutAnError)
{
    AddProgram("aaaaaaaaaaaaa.c");
    AddProgram(std::string(40, 'a'));
    Open();
    Paste(CostlyPattern);
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
    EXPECT_EQ(Rows(), (Texts{"aaaaaaaaaaaaa.c"}));
    EXPECT_EQ(List().ItemIndex(), 0);

    Search("aaaaaaaaaaaaa.");
    EXPECT_EQ(Rows(), (Texts{"aaaaaaaaaaaaa.c", std::string(40, 'a')}));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
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
