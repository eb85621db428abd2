#include "matching/fSearchRunningUI.h"

#include "SimulatorTest.h"

namespace {

using namespace platform;
using platform::headless::SimForm;
using platform::headless::TopLevelWindows;
using Texts = std::vector<std::string>;

class SwitcherTest : public SimulatorTest {
protected:
    SwitcherTest()
    {
        editor = sim.windows.Open("notes.txt - Editor");
        sim.windows.Open("Program Manager");
        sim.windows.Open("PROGRAM manager");
        sim.windows.Open("Hidden Tool", false);
        sim.windows.Open("");
        calculator = sim.windows.Open("Calculator", true, TopLevelWindows::State::Minimized);
        browser = sim.windows.Open("Browser - Calendar", true, TopLevelWindows::State::Maximized);
        own = sim.windows.Open("Morrowfield - zephyrix");

        host = sim.widgets.CreateForm("TfrmSearchRunningUI");
        form = static_cast<SimForm*>(host.get());
        panel = std::make_unique<TfrmSearchRunningUI>(*host);
        panel->ResetSearch();
    }

    Texts Rows() { return form->ListBox("lbSearch").Texts(); }

    WindowHandle editor, calculator, browser, own;
    std::unique_ptr<IForm> host;
    SimForm* form = nullptr;
    std::unique_ptr<TfrmSearchRunningUI> panel;
};

TEST_F(SwitcherTest, ListsVisibleTitledWindowsSortedButNeverTheDesktop)
{
    EXPECT_EQ(Rows(), (Texts{"Browser - Calendar", "Calculator", "Morrowfield - zephyrix", "notes.txt - Editor"}));
    EXPECT_EQ(form->ListBox("lbSearch").ItemIndex(), 0);
    EXPECT_TRUE(form->Edit("edLaunch").Focused());
    EXPECT_EQ(form->Button("Button1").Caption, "Go!");
}

TEST_F(SwitcherTest, TitlesStartingWithTheTextComeBeforeThoseHoldingItsLetters)
{
    form->Type("ca");
    EXPECT_EQ(Rows(), (Texts{"Calculator", "Browser - Calendar"}));
    form->Type("l");
    EXPECT_EQ(Rows(), (Texts{"Calculator", "Browser - Calendar"}));
    form->Type("e");
    EXPECT_EQ(Rows(), (Texts{"Browser - Calendar"}));
}

TEST_F(SwitcherTest, EveryKeystrokeLooksAtTheDesktopAgain)
{
    form->Type("m");
    EXPECT_EQ(Rows(), (Texts{"Morrowfield - zephyrix"}));
    sim.windows.Close(own);
    sim.windows.Open("Mixer");
    form->Type("i");
    EXPECT_EQ(Rows(), (Texts{"Mixer"}));
}

TEST_F(SwitcherTest, GoRestoresAMinimizedWindowBringsItForwardAndHides)
{
    form->Type("calc");
    form->PressKey(vk::Return);
    EXPECT_FALSE(sim.windows.IsMinimized(calculator));
    EXPECT_EQ(sim.windows.Foreground, calculator);
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(SwitcherTest, GoLeavesAMaximizedWindowMaximized)
{
    form->Type("bro");
    form->PressKey(vk::Return);
    EXPECT_TRUE(sim.windows.RestoreCalls.empty());
    EXPECT_EQ(sim.windows.Find(browser)->Shown, TopLevelWindows::State::Maximized);
    EXPECT_EQ(sim.windows.Foreground, browser);
}

TEST_F(SwitcherTest, GoOnAWindowClosedMeanwhileDoesNothing)
{
    form->Type("notes");
    sim.windows.Close(editor);
    form->PressKey(vk::Return);
    EXPECT_EQ(sim.windows.Foreground, 0u);
    EXPECT_EQ(sim.application.HideCount, 0);
    EXPECT_EQ(Rows(), (Texts{"notes.txt - Editor"})); // until the next keystroke
}

TEST_F(SwitcherTest, GoWithoutARowDoesNothing)
{
    form->Type("zzz");
    form->PressKey(vk::Return);
    EXPECT_EQ(sim.application.HideCount, 0);
}

TEST_F(SwitcherTest, DoubleClickIsGo)
{
    form->ListBox("lbSearch").DoubleClick(2);
    EXPECT_EQ(sim.windows.Foreground, own);
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(SwitcherTest, ArrowKeysInTheEditDoNotMoveTheList)
{
    form->PressKey(vk::Down);
    EXPECT_EQ(form->ListBox("lbSearch").ItemIndex(), 0);
}

// Titles hold brackets ("Document (2)"); typed as they read they are no pattern and
// are searched as plain text, without an error. Letters of any script match either case.
TEST_F(SwitcherTest, ATitleTypedAsItReadsIsFoundInEitherCase)
{
    sim.windows.Open("Report (2).docx - \xC3\x9C" "bersicht");  // Übersicht
    form->Type("report (");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Report (2).docx - \xC3\x9C" "bersicht"}));
    form->Type("2).docx - \xC3\xBC"); // ü
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
    EXPECT_EQ(form->ListBox("lbSearch").ItemIndex(), 0);
}

TEST_F(SwitcherTest, ResetListsAfreshAndRepaintsOnce)
{
    sim.windows.Open("Another");
    const int before = form->ListBox("lbSearch").RepaintCount;
    panel->ResetSearch(); // the edit was already empty
    EXPECT_EQ(Rows().front(), "Another");
    form->Type("x");
    panel->ResetSearch();
    EXPECT_EQ(Rows().size(), 5u);
    EXPECT_EQ(form->ListBox("lbSearch").RepaintCount, before + 3);
}

TEST_F(SwitcherTest, LongTitlesAreReadUpTo1023Characters)
{
    sim.windows.Open(std::string(2000, 'z'));
    form->Type("zz");
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].size(), 1023u);
}

} // namespace
