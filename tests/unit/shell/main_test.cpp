#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "CatalogueTest.h"
#include "common/Exception.h"
#include "config/settings.h"
#include "shell/main.h"
#include "shell/systray.h"

namespace {

using platform::headless::SimForm;

constexpr unsigned Win = 8;

class MainFormTest : public CatalogueTest {
protected:
    MainFormTest()
    {
        AddProgram("Notepad", "", ".url");
        AddProgram("Regedit", "", ".url");
        AddProgram("Minesweeper", "", ".url");
    }

    // Start-up as the application runs it: made, shown as the loop starts, hidden at the first tick.
    void StartUp()
    {
        main = std::make_unique<TMainForm>();
        form = static_cast<SimForm*>(main->Form.get());
        main->Form->Show();
        sim.clock.Advance(1);
    }
    platform::headless::SimContainer& Launch() { return form->Frame("frmSearchUI1"); }

    std::unique_ptr<TMainForm> main;
    SimForm* form = nullptr;
};

TEST_F(MainFormTest, StartsHiddenWithItsIconAndTheThreeHotkeys)
{
    StartUp();
    EXPECT_FALSE(form->Visible());
    ASSERT_EQ(sim.widgets.TrayIcons.size(), 1u);
    EXPECT_EQ(sim.widgets.TrayIcons[0]->Tip, "Morrowfield - zephyrix");
    ASSERT_EQ(sim.widgets.Hotkeys.size(), 3u);
    EXPECT_EQ(sim.widgets.Hotkeys[0].Id, 0);
    EXPECT_EQ(sim.widgets.Hotkeys[0].Key, unsigned('J'));
    EXPECT_EQ(sim.widgets.Hotkeys[1].Key, unsigned('K'));
    EXPECT_EQ(sim.widgets.Hotkeys[2].Key, unsigned('H'));
    EXPECT_EQ(form->Caption, "Morrowfield -- ZEPHYRIX");
    EXPECT_EQ(main->NewShortcutsFolder, std::string(Programs) + "\\Zephyrix\\New Shortcuts");

    main.reset();
    EXPECT_TRUE(sim.widgets.TrayIcons.empty()) << "the icon goes with the window";
    EXPECT_TRUE(sim.widgets.Hotkeys.empty());
}

TEST_F(MainFormTest, LaunchHotkeyTypingAndEnterStartTheEntryHideAndLearn)
{
    StartUp();
    ASSERT_TRUE(sim.widgets.SimulateHotkey(Win, 'J'));
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
    EXPECT_EQ(Launch().Edit("edLaunch").Text(), "");
    EXPECT_TRUE(Launch().Edit("edLaunch").Focused());

    form->Type("rg");
    EXPECT_EQ(Launch().ListBox("lbSearch").Texts(), std::vector<std::string>{"Regedit"});
    form->PressKey(platform::vk::Return);
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, PathOf("Regedit", ".url"));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(SavedPairs(), (std::vector<std::pair<std::string, std::string>>{{"rg", PathOf("Regedit", ".url")}}));

    // Called up again: an empty query, the learned abbreviation on top of the search.
    sim.widgets.SimulateHotkey(Win, 'J');
    EXPECT_EQ(Launch().Edit("edLaunch").Text(), "");
    form->Type("r");
    EXPECT_EQ(Launch().ListBox("lbSearch").Text(0), "Regedit - rg");
}

TEST_F(MainFormTest, FailedLaunchIsReportedAndTheWindowStays)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Type("note");
    main->frmSearchUI1.OnGo = [this](TfrmSearchUI& sender, TProgramInfo& entry) {
        (void)sender;
        (void)entry;
        throw Exception("Error opening file");
    };
    form->PressKey(platform::vk::Return);
    EXPECT_TRUE(form->Visible());
    ASSERT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_EQ(sim.application.ErrorsShown[0], "Error opening file.");
    EXPECT_TRUE(SavedPairs().empty()) << "nothing learned from a failed launch";
}

TEST_F(MainFormTest, EscCloseAndMinimiseHideTheWindowWhichKeepsRunning)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->PressKey(platform::vk::Escape);
    EXPECT_FALSE(form->Visible());

    sim.widgets.SimulateHotkey(Win, 'J');
    form->CloseWindow();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(sim.widgets.Terminated);

    sim.widgets.SimulateHotkey(Win, 'J');
    form->Minimize();
    EXPECT_FALSE(form->Visible());

    sim.widgets.TrayIcons[0]->LeftDown();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Minimized()) << "brought back restored";
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);

    form->MenuItem("Exit1").Click();
    EXPECT_TRUE(sim.widgets.Terminated);
}

TEST_F(MainFormTest, EachHotkeyBringsItsPage)
{
    StartUp();
    int addItemsShown = 0;
    main->tsAddItemsShow = [&] { ++addItemsShown; };
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Type("xyz");
    sim.widgets.SimulateHotkey(Win, 'K');
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(addItemsShown, 1);

    sim.windows.Open("Calculator");
    sim.widgets.SimulateHotkey(Win, 'H');
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsRunning);
    const auto titles = form->Frame("frmSearchRunningUI1").ListBox("lbSearch").Texts();
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Calculator"), titles.end());

    // Keys on other pages are not routed to the launch panel.
    form->Type("q");
    EXPECT_EQ(Launch().Edit("edLaunch").Text(), "xyz");
    EXPECT_EQ(form->Frame("frmSearchRunningUI1").Edit("edLaunch").Text(), "q");
}

TEST_F(MainFormTest, TakenHotkeyStaysWithoutEffectAndTheOthersWork)
{
    sim.widgets.HoldHotkeyElsewhere(Win, 'J');
    StartUp();
    EXPECT_FALSE(sim.widgets.SimulateHotkey(Win, 'J'));
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(sim.widgets.SimulateHotkey(Win, 'K'));
    EXPECT_TRUE(form->Visible());
}

TEST_F(MainFormTest, TextFromAnotherStartSurvivesTheStartupHide)
{
    main = std::make_unique<TMainForm>();
    form = static_cast<SimForm*>(main->Form.get());
    main->Form->Show();
    main->ShowFromMessage("C:\\My Files\\a.txt -x ");
    sim.clock.Advance(10);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\My Files\\a.txt -x ");
}

TEST_F(MainFormTest, ALateActivationDoesNotUndoTheCallersPage)
{
    StartUp();
    form->ActivatesLater = true;
    main->ShowFromMessage("C:\\a.txt ");
    form->CompleteActivation();
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\a.txt ");

    sim.widgets.SimulateHotkey(Win, 'H');
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsRunning) << "already active: no activation to wait for";

    // The user comes back to the window from another program: a fresh query.
    form->Deactivate();
    form->Activate();
    form->CompleteActivation();
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
}

TEST_F(MainFormTest, EmptyMessageOnlyBringsTheWindowForward)
{
    StartUp();
    main->ShowFromMessage("");
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
    EXPECT_EQ(main->edClipboard.Text(), "");
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"Show", "Show", "BringToFront", "Activate", "Activate", "Show",
                                                     "BringToFront", "Activate"}));
}

TEST_F(MainFormTest, F1OpensTheGuide)
{
    StartUp();
    TMainForm::GuidePath = "C:\\Program Files\\Zephyrix\\zephyrix-guide.html";
    sim.widgets.SimulateHotkey(Win, 'J');
    form->PressKey(platform::vk::F1);
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, TMainForm::GuidePath);
}

TEST_F(MainFormTest, SettingsAndAbbreviationsAreSavedWhenTheWindowGoes)
{
    StartUp();
    main.reset();
    EXPECT_NE(sim.registry.FindValue(SettingsKey, "ModifierKey"), nullptr);
}

} // namespace
