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
    EXPECT_TRUE(sim.widgets.TrayIcons[0]->Shown);
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

TEST_F(MainFormTest, TheIconComesBackInEveryNewNotificationArea)
{
    // Signed in before Explorer was up: the icon cannot be added yet.
    sim.widgets.EndNotificationArea();
    StartUp();
    ASSERT_EQ(sim.widgets.TrayIcons.size(), 1u);
    EXPECT_FALSE(sim.widgets.TrayIcons[0]->Shown);
    ASSERT_TRUE(sim.widgets.SimulateHotkey(Win, 'J')) << "the hotkeys work without the icon";
    form->PressKey(platform::vk::Escape);

    sim.widgets.CreateNotificationArea();
    EXPECT_TRUE(sim.widgets.TrayIcons[0]->Shown) << "added when the notification area comes";

    // Explorer restarts: its new notification area gets the icon again, which still works.
    sim.widgets.EndNotificationArea();
    sim.widgets.CreateNotificationArea();
    ASSERT_EQ(sim.widgets.TrayIcons.size(), 1u);
    EXPECT_TRUE(sim.widgets.TrayIcons[0]->Shown);
    sim.widgets.TrayIcons[0]->LeftDown();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
}

TEST_F(MainFormTest, EachHotkeyBringsItsPage)
{
    StartUp();
    sim.clipboard.Contents = "C:\\docs";
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Type("xyz");
    sim.widgets.SimulateHotkey(Win, 'K');
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\docs") << "the page shows the clipboard's text";

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

TEST_F(MainFormTest, StartupHideWinsEvenWhenTheFirstShowingReportsAnError)
{
    main = std::make_unique<TMainForm>();
    form = static_cast<SimForm*>(main->Form.get());
    // The stored placement cannot be applied; its error box runs the timers.
    form->Window.FailSetPlacement = true;
    sim.application.WhileErrorShown = [this] { sim.clock.Advance(5); };
    main->Form->Show();
    sim.application.WhileErrorShown = nullptr;
    EXPECT_FALSE(sim.application.ErrorsShown.empty());
    sim.clock.Advance(1);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(sim.widgets.TrayIcons.size(), 1u);
}

TEST_F(MainFormTest, OnlyTheApplicationsOwnDialogsClosingResetTheWindow)
{
    StartUp();
    form->ActivatesLater = true;
    main->ShowFromMessage("C:\\a.txt ");
    form->CompleteActivation();
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems) << "the late activation belongs to the bring-up";
    EXPECT_EQ(main->edClipboard.Text(), "C:\\a.txt ");

    // The user looks at another program and comes back: the query stays.
    sim.widgets.SimulateHotkey(Win, 'J');
    form->CompleteActivation();
    form->Type("no");
    form->Deactivate();
    form->Activate();
    form->CompleteActivation();
    EXPECT_EQ(Launch().Edit("edLaunch").Text(), "no");

    // A dialog of the application closes: the window is the active form again, fresh.
    form->ActivatesLater = false;
    form->MenuItem("About1").Click();
    EXPECT_EQ(Launch().Edit("edLaunch").Text(), "");
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

TEST_F(MainFormTest, SettingsAndAbbreviationsAreSavedWhenTheWindowGoesEachFailureReported)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Type("rg");
    form->PressKey(platform::vk::Return);
    // Both stores gone behind the program's back: the shutdown writes each again.
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(SettingsKey)).clear();
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(AbbreviationsKey)).clear();
    main.reset();
    for (const char* name : {"ModifierKey", "Key", "AddModifierKey", "AddKey", "RunModifierKey", "RunKey"})
        EXPECT_NE(sim.registry.FindValue(SettingsKey, name), nullptr) << name;
    EXPECT_EQ(SavedPairs(), (std::vector<std::pair<std::string, std::string>>{{"rg", PathOf("Regedit", ".url")}}));
    EXPECT_TRUE(sim.application.ErrorsShown.empty());

    // A settings save that fails does not cost the abbreviations; each failure is told.
    StartUp();
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(AbbreviationsKey)).clear();
    sim.registry.FailWritesTo("ModifierKey");
    main.reset();
    EXPECT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_EQ(SavedPairs().size(), 1u) << "the abbreviations were saved after the failed settings";

    StartUp();
    sim.registry.FailWritesTo("Count");
    main.reset();
    EXPECT_EQ(sim.application.ErrorsShown.size(), 3u) << "both failures reported";
}

} // namespace

namespace {

class MainWindowPartsTest : public MainFormTest {
protected:
    static constexpr const char* Placement = "Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm";
    std::string Stored(const std::string& name)
    {
        const auto* value = sim.registry.FindValue(Placement, name);
        return value == nullptr ? "<none>" : value->Text;
    }
};

TEST_F(MainWindowPartsTest, DroppedFilesAndForwardedTextWinOverTheClipboard)
{
    StartUp();
    sim.clipboard.Contents = "from the clipboard";
    EXPECT_TRUE(form->AcceptsDroppedFiles);
    form->DropFiles({"C:\\docs\\a.txt", "C:\\docs\\b.txt"});
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\docs\\a.txt");
    EXPECT_TRUE(form->Edit("edClipboard").CompletesPaths);
}

TEST_F(MainWindowPartsTest, AClipboardHeldElsewhereIsReportedAndTheForwardedTextStillArrives)
{
    StartUp();
    sim.clipboard.HeldByAnotherProgram = true;
    main->ShowFromMessage("C:\\x.txt ");
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\x.txt ");
    ASSERT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_EQ(sim.application.ErrorsShown[0], "Cannot open clipboard.");
}

TEST_F(MainWindowPartsTest, OperationOneOnTheWindowWritesTheShortcutStartsItAndHides)
{
    sim.files.AddFile("C:\\docs\\report.txt", "text");
    StartUp();
    sim.clipboard.Contents = "C:\\docs\\report.txt";
    sim.widgets.SimulateHotkey(Win, 'K');
    form->Button("btnLaunchFile").Click();
    const std::string link = main->NewShortcutsFolder + "\\report.txt.lnk";
    EXPECT_TRUE(sim.files.FileExists(link));
    ASSERT_FALSE(sim.shell.Opened.empty());
    EXPECT_EQ(sim.shell.Opened.back().File, "C:\\docs\\report.txt") << "the new shortcut is started";
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(MainWindowPartsTest, SelectorCancelledOrFollowedByAnErrorLeavesTheAddPageWithItsText)
{
    StartUp();
    sim.clipboard.Contents = "C:\\docs";
    sim.widgets.SimulateHotkey(Win, 'K');
    sim.widgets.WhileModal = [](SimForm& dialog) { dialog.PressKey(platform::vk::Escape); };
    for (const char* button : {"btnLaunchAsStartIn", "btnLaunchAsParam"}) {
        form->Button(button).Click();
        EXPECT_TRUE(form->Visible()) << button;
        EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems) << button;
        EXPECT_EQ(main->edClipboard.Text(), "C:\\docs") << button;
    }
    EXPECT_TRUE(sim.application.ErrorsShown.empty());

    // A program is picked, and the shortcut cannot be made.
    sim.shellLinks.FailCreate = true;
    sim.widgets.WhileModal = [](SimForm& dialog) {
        dialog.Type("note");
        dialog.PressKey(platform::vk::Return);
    };
    form->Button("btnLaunchAsParam").Click();
    ASSERT_EQ(sim.application.ErrorsShown, std::vector<std::string>{"Error creating IShellLink."});
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsAddItems);
    EXPECT_EQ(main->edClipboard.Text(), "C:\\docs");

    // Other dialogs closing still bring the window back to a fresh "Launch!".
    sim.widgets.WhileModal = nullptr;
    form->MenuItem("About1").Click();
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);
}

TEST_F(MainWindowPartsTest, OptionsOkSavesAndMovesTheHotkeysCancelKeepsThem)
{
    StartUp();
    sim.widgets.WhileModal = [](SimForm& dialog) {
        dialog.CheckBox("cbKeyWin").SetChecked(false);
        dialog.CheckBox("cbKeyCtrl").SetChecked(true);
        dialog.CheckBox("cbKeyAlt").SetChecked(true);
        dialog.ComboBox("cbxKey").SetItemIndex('Z' - 'A');
        dialog.Button("Button1").Click();
    };
    sim.widgets.SimulateHotkey(Win, 'J');
    form->MenuItem("Options1").Click();
    EXPECT_FALSE(sim.widgets.SimulateHotkey(Win, 'J')) << "the old combination is withdrawn";
    EXPECT_TRUE(sim.widgets.SimulateHotkey(2 | 1, 'Z'));
    EXPECT_EQ(sim.registry.FindValue(SettingsKey, "Key")->Number, 'Z');
    EXPECT_EQ(main->pcMain.ActivePage(), TMainForm::tsLaunch);

    sim.widgets.WhileModal = [](SimForm& dialog) {
        dialog.ComboBox("cbxKey").SetItemIndex(0);
        dialog.PressKey(platform::vk::Escape);
    };
    form->MenuItem("Options1").Click();
    EXPECT_TRUE(sim.widgets.SimulateHotkey(2 | 1, 'Z'));
    EXPECT_EQ(sim.registry.FindValue(SettingsKey, "Key")->Number, 'Z');
}

TEST_F(MainWindowPartsTest, PlacementIsStoredOnCloseAndAppliedOnTheNextShowing)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Window.Record.NormalPosition = {10, 20, 706, 490};
    form->CloseWindow();
    EXPECT_FALSE(form->Visible()) << "closing only hides";
    EXPECT_EQ(Stored("NormPos"), "10,20,706,490");
    EXPECT_EQ(Stored("Visible"), "0");

    // Moved and hidden with Esc: not stored, and undone when it is shown again.
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Window.Record.NormalPosition = {300, 300, 996, 770};
    form->PressKey(platform::vk::Escape);
    sim.widgets.SimulateHotkey(Win, 'J');
    EXPECT_EQ(form->Window.Record.NormalPosition.Left, 10);
    EXPECT_EQ(Stored("NormPos"), "10,20,706,490");

    // Every showing restores, so the end of the program stores again what was restored.
    main.reset();
    EXPECT_EQ(Stored("NormPos"), "10,20,706,490");
    EXPECT_EQ(Stored("Visible"), "1");
}

TEST_F(MainWindowPartsTest, PlacementIsStoredWhenTheProgramEndsWithoutAClose)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Window.Record.NormalPosition = {40, 50, 736, 520};
    main.reset();
    EXPECT_EQ(Stored("NormPos"), "40,50,736,520");
    EXPECT_EQ(Stored("Visible"), "1");
}

} // namespace

namespace {

TEST_F(MainWindowPartsTest, TheEndOfTheSessionStoresWhatTheShutdownWould)
{
    StartUp();
    sim.widgets.SimulateHotkey(Win, 'J');
    form->Type("no");
    form->PressKey(platform::vk::Return); // Notepad is learned as "no"
    form->EndSession();
    EXPECT_NE(sim.registry.FindValue(SettingsKey, "ModifierKey"), nullptr);
    const auto* learned = sim.registry.FindValue(std::string(SettingsKey) + "\\Abbreviations", "Abbrev0");
    ASSERT_NE(learned, nullptr);
    EXPECT_EQ(learned->Text, "no");
    EXPECT_EQ(Stored("Visible"), "1");
}

} // namespace
