// What users type, brackets and all, through the Launch! panel and the Running Programs
// page: each text lists its rows in time linear in the names, with no error box, whatever
// the length of the names. A text that is no valid pattern (an unmatched bracket, a
// back-reference or look-around, which the syntax lacks) is searched as plain text.
#include "SearchPanelTest.h"
#include "matching/fSearchRunningUI.h"

namespace {

using Texts = std::vector<std::string>;

const std::string LongTool = "Tool x86 Long Edition " + std::string(98, 'z'); // 120 characters
const std::string Cafes = "Caf\xC3\xA9s Locator";                             // Cafés Locator
const std::string Ecole = "\xC3\x89"
                          "cole de musique"; // École de musique
// A legal file name of 240 characters, 736 bytes: 245 of them take three bytes.
const std::string Japanese736 = [] {
    std::string name;
    for (int n = 0; n < 245; ++n)
        name += "\xE6\x97\xA5"; // 日
    return name + "x";
}();

const Texts Names = {"Notepad",
                     "Notepad admin tools",
                     "Notepad (admin)",
                     "Report final draft",
                     "Monthly report (final).docx",
                     "Tool (x86) Setup",
                     LongTool,
                     Ecole,
                     Cafes,
                     "Zoom",
                     Japanese736,
                     "Excel 2016",
                     "Word 2016",
                     "WordPad",
                     "Regex x(?=y) tester"};

class TypedPatternTest : public SearchPanelTest {
protected:
    void SetUp() override
    {
        for (const std::string& name : Names)
            AddProgram(name);
        Open();
    }
};

TEST_F(TypedPatternTest, BracketsAlternativesClassesAndLongNamesListTheirRows)
{
    ASSERT_EQ(Japanese736.size(), 736u);
    const struct {
        std::string typed;
        Texts rows; // the text's prefix matches, then the names holding its characters in order
    } cases[] = {
        {"notepad (admin)", {"Notepad admin tools", "Notepad (admin)"}},
        {"report (final)", {"Report final draft", "Monthly report (final).docx"}},
        {"tool (x86)", {LongTool, "Tool (x86) Setup"}},
        {"excel|word", {"Excel 2016", "Word 2016", "WordPad"}},
        // "[é]": a name starting with é, then those holding a ".", a "*" or an é: whole characters.
        {"[\xC3\xA9]", {Ecole, Cafes, "Monthly report (final).docx"}},
        {"caf[^x]s", {Cafes}},
        {"(\xE6\x97\xA5|x)x", {"Regex x(?=y) tester", Japanese736}},
        {"z", {"Zoom", LongTool}},
        // No valid pattern: taken as plain text.
        {"tool (x86", {"Tool (x86) Setup"}},
        {"x(?=y)", {"Regex x(?=y) tester"}},
        {"*\xAC", {}}, // not UTF-8 (a stray byte after "*"): plain text, which no name holds
    };
    for (const auto& c : cases) {
        Search(c.typed);
        EXPECT_EQ(Rows(), c.rows) << "typed \"" << c.typed << "\"";
        EXPECT_EQ(List().ItemIndex(), c.rows.empty() ? platform::IListBox::NoRow : 0);
    }
    // "é?" starts every name: "é" is one character, optional, not a byte.
    Search("\xC3\xA9?");
    EXPECT_EQ(Rows().size(), Names.size());
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

class RunningProgramsPatterns : public SimulatorTest {};

TEST_F(RunningProgramsPatterns, ALongWindowTitleIsSearchedLikeAnyOther)
{
    const std::string title = "Settings beta - " + std::string(1007, 'x'); // 1,023 bytes, the longest title
    ASSERT_EQ(title.size(), 1023u);
    sim.windows.Open(title);
    sim.windows.Open("Settings");
    sim.windows.Open("Beta tester");
    sim.windows.Open("Backref (ab)\\1 demo"); // a title may hold a backslash, a file name not
    auto host = sim.widgets.CreateForm("TfrmSearchRunningUI");
    TfrmSearchRunningUI panel(*host);
    panel.ResetSearch();
    auto& form = static_cast<platform::headless::SimForm&>(*host);
    form.Edit("edLaunch").SetText("settings (beta)");
    EXPECT_EQ(form.ListBox("lbSearch").Texts(), Texts{title});
    form.Edit("edLaunch").SetText("(settings|beta) (t|x)");
    EXPECT_EQ(form.ListBox("lbSearch").Texts(), (Texts{"Beta tester", title}));
    // No valid pattern: searched as it reads, and no title holds a "(".
    form.Edit("edLaunch").SetText("settings (beta");
    EXPECT_EQ(form.ListBox("lbSearch").Texts(), Texts{});
    // A back-reference is not part of the syntax: the text is searched as it reads.
    form.Edit("edLaunch").SetText("(ab)\\1");
    EXPECT_EQ(form.ListBox("lbSearch").Texts(), Texts{"Backref (ab)\\1 demo"});
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

} // namespace
