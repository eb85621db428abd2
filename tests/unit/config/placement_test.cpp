#include "config/placement.h"

#include "SimulatorTest.h"

namespace {

using platform::headless::RegValue;
using platform::headless::RegType;

const std::string Section = "\\Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm";

class PlacementTest : public SimulatorTest {
protected:
    PlacementTest() : keeper(window) {}

    std::string Stored(const std::string& name)
    {
        const RegValue* value = sim.registry.FindValue(Section, name);
        if (value == nullptr)
            return "<missing>";
        EXPECT_EQ(value->Type, RegType::Sz) << name;
        return value->Text;
    }
    void Store(const std::string& name, const std::string& text) { sim.registry.SetValue(Section, name, RegValue::Sz(text)); }

    // What a previous run at 1024 x 768 and 96 pixels per inch left behind.
    void StoreEarlierRun(const std::string& normPos, const std::string& showCmd = "1")
    {
        Store("FormVersion", "0");
        Store("Flags", "0");
        Store("ShowCmd", showCmd);
        Store("PixelsPerInch", "96");
        Store("MinMaxPos(1024x768)", "-1,-1,-4,-4");
        Store("MinMaxPos", "-1,-1,-4,-4");
        Store("NormPos(1024x768)", normPos);
        Store("NormPos", normPos);
        Store("Visible", "0");
    }

    platform::PlacementRect Normal() const { return window.Record.NormalPosition; }

    platform::headless::PlacedWindow window;
    TFormPlacement keeper;
};

TEST_F(PlacementTest, FirstRunKeepsTheDesignedCentredPlacement)
{
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_EQ(Normal().Right, 860);
    EXPECT_TRUE(window.Centred);
    EXPECT_EQ(window.State, platform::WindowState::Normal);
    EXPECT_TRUE(sim.registry.KeyExists("\\Software\\Morrowfield\\Zephyrix\\FormSettings"));
    EXPECT_FALSE(sim.registry.KeyExists(Section)); // created when first written
}

TEST_F(PlacementTest, SaveWritesTheNineValuesAsDecimalTexts)
{
    keeper.RestorePlacement();
    window.Record = {2, 1, {-1, -1}, {-4, -4}, {10, 20, 706, 490}};
    sim.screen.Ppi = 120;
    keeper.SavePlacement();

    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("Flags"), "2");
    EXPECT_EQ(Stored("ShowCmd"), "1");
    EXPECT_EQ(Stored("PixelsPerInch"), "120");
    EXPECT_EQ(Stored("MinMaxPos(1024x768)"), "-1,-1,-4,-4");
    EXPECT_EQ(Stored("MinMaxPos"), "-1,-1,-4,-4");
    EXPECT_EQ(Stored("NormPos(1024x768)"), "10,20,706,490");
    EXPECT_EQ(Stored("NormPos"), "10,20,706,490");
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_TRUE(keeper.Saved);
}

TEST_F(PlacementTest, SaveBeforeAnyRestoreWritesNothing)
{
    keeper.SavePlacement();
    EXPECT_FALSE(sim.registry.KeyExists(Section));
    EXPECT_FALSE(keeper.Saved);
}

TEST_F(PlacementTest, SavedWhileDestroyingMarksVisibleAndMinimizedApplicationSavesShowCmd2)
{
    keeper.RestorePlacement();
    keeper.Destroying = true;
    window.AppMinimized = true;
    keeper.SavePlacement();
    EXPECT_EQ(Stored("Visible"), "1");
    EXPECT_EQ(Stored("ShowCmd"), "2");
}

TEST_F(PlacementTest, SuffixNamesFollowTheScreenSize)
{
    sim.screen.ScreenWidth = 1920;
    sim.screen.ScreenHeight = 1080;
    keeper.RestorePlacement();
    keeper.SavePlacement();
    EXPECT_NE(Stored("NormPos(1920x1080)"), "<missing>");
    EXPECT_NE(Stored("MinMaxPos(1920x1080)"), "<missing>");
    EXPECT_EQ(Stored("NormPos(1024x768)"), "<missing>");
}

TEST_F(PlacementTest, RestoreAppliesTheStoredPositionAndStopsCentring)
{
    StoreEarlierRun("30,40,730,520");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 30);
    EXPECT_EQ(Normal().Top, 40);
    EXPECT_EQ(Normal().Right, 730);
    EXPECT_EQ(Normal().Bottom, 520);
    EXPECT_FALSE(window.Centred);
    EXPECT_TRUE(keeper.Restored);
    EXPECT_EQ(window.Repaints, 1);
}

TEST_F(PlacementTest, SizedValueOfThisScreenWinsAndOtherScreensUseThePlainNames)
{
    StoreEarlierRun("30,40,730,520");
    Store("NormPos(1024x768)", "50,60,750,540");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 50);

    sim.screen.ScreenWidth = 1280;
    sim.screen.ScreenHeight = 1024;
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 30);
}

// The rectangle is in the pixels of the monitor it was saved on; it comes back at the
// size it had there, in the pixels of the monitor it lands on.
TEST_F(PlacementTest, AnotherPixelsPerInchScalesTheStoredSizeAndKeepsTheShowState)
{
    StoreEarlierRun("30,40,730,520", "3");
    sim.screen.Ppi = 144;
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 0) << "1050 pixels wide now: moved and cut to the work area";
    EXPECT_EQ(Normal().Top, 40);
    EXPECT_EQ(Normal().Right, 1024);
    EXPECT_EQ(Normal().Bottom, 760);
    EXPECT_EQ(window.State, platform::WindowState::Maximized);

    // Two monitors, 100 % and 200 %: each rectangle is saved with its own monitor's scale.
    sim.screen.Ppi = 96;
    sim.screen.WorkAreas = {{0, 0, 1024, 768}, {1024, 0, 3584, 1440}};
    sim.screen.WorkAreaPpi = {96, 192};
    const std::pair<std::string, std::string> saved[] = {{"1100,100,2500,1060", "192"}, {"30,40,730,520", "96"}};
    for (const auto& [rect, ppi] : saved) {
        StoreEarlierRun(rect);
        Store("PixelsPerInch", ppi);
        keeper.RestorePlacement();
        keeper.SavePlacement();
        EXPECT_EQ(Stored("PixelsPerInch"), ppi) << rect;
        EXPECT_EQ(Stored("NormPos"), rect) << "unchanged on its own monitor";
    }
    // The 200 % monitor is gone: the window comes back at half its pixels on the other.
    StoreEarlierRun("1100,100,2500,1060");
    Store("PixelsPerInch", "192");
    sim.screen.WorkAreas = {{0, 0, 1024, 768}};
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Right - Normal().Left, 700);
    EXPECT_EQ(Normal().Bottom - Normal().Top, 480);
    // A scale no monitor has is not trusted.
    Store("PixelsPerInch", "1");
    window.Record.NormalPosition = {1, 2, 3, 4};
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 1);
}

TEST_F(PlacementTest, NormPosWhoseRightIsNotGreaterThanLeftIsNotApplied)
{
    StoreEarlierRun("300,20,100,400");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 164);
    StoreEarlierRun("300,20,300,400");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_TRUE(window.Centred);
}

TEST_F(PlacementTest, ShowCmdValuesMapToWindowStates)
{
    const std::pair<const char*, platform::WindowState> cases[] = {
        {"3", platform::WindowState::Maximized}, {"1", platform::WindowState::Normal},
        {"0", platform::WindowState::Normal},    {"4", platform::WindowState::Normal},
        {"8", platform::WindowState::Normal},    {"9", platform::WindowState::Normal},
        {"x", platform::WindowState::Normal},
    };
    for (const auto& [showCmd, state] : cases) {
        window.State = platform::WindowState::Maximized == state ? platform::WindowState::Normal
                                                                 : platform::WindowState::Maximized;
        StoreEarlierRun("30,40,730,520", showCmd);
        keeper.RestorePlacement();
        EXPECT_EQ(window.State, state) << "ShowCmd " << showCmd;
    }
}

TEST_F(PlacementTest, StoredMinimizedStateShowsTheWindowNormally)
{
    for (const char* showCmd : {"2", "6", "7"}) {
        window.State = platform::WindowState::Maximized;
        StoreEarlierRun("30,40,730,520", showCmd);
        keeper.RestorePlacement();
        EXPECT_EQ(window.State, platform::WindowState::Normal) << showCmd;
        EXPECT_TRUE(keeper.Restored);
    }
}

TEST_F(PlacementTest, BadWordsTakeTheirDefaults)
{
    StoreEarlierRun("x,55,,");
    Store("MinMaxPos(1024x768)", "a,b");
    keeper.RestorePlacement();
    // Left falls back to the current left, top is read, right and bottom are the current ones.
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_EQ(Normal().Top, 55);
    EXPECT_EQ(Normal().Right, 860);
    EXPECT_EQ(Normal().Bottom, 619);
    EXPECT_EQ(window.Record.MinPosition.X, 0);
}

TEST_F(PlacementTest, ValuesOfTheWrongTypeReadAsMissing)
{
    StoreEarlierRun("30,40,730,520");
    sim.registry.SetValue(Section, "NormPos(1024x768)", RegValue::Dword(5));
    sim.registry.SetValue(Section, "NormPos", RegValue::Dword(5));
    sim.registry.SetValue(Section, "ShowCmd", RegValue::Binary("3"));
    window.State = platform::WindowState::Maximized;
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_EQ(window.State, platform::WindowState::Normal);
}

// A maximized earlier run whose store cannot be opened: nothing of it is read, nothing raised.
TEST_F(PlacementTest, StoreThatCannotBeOpenedRestoresTheDesignedPlacement)
{
    StoreEarlierRun("30,40,730,520", "3");
    sim.registry.DenyKey(Section);
    EXPECT_NO_THROW(keeper.RestorePlacement());
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_TRUE(window.Centred);
    EXPECT_EQ(window.State, platform::WindowState::Normal);
}

TEST_F(PlacementTest, StoreWhoseFolderCannotBeMadeRestoresTheDesignedPlacement)
{
    StoreEarlierRun("30,40,730,520", "3");
    sim.registry.DenyKey("\\Software\\Morrowfield\\Zephyrix\\FormSettings");
    EXPECT_NO_THROW(keeper.RestorePlacement());
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_TRUE(window.Centred);
    EXPECT_EQ(window.State, platform::WindowState::Normal);
}

TEST_F(PlacementTest, FixedBorderKeepsTheCurrentSize)
{
    window.IsResizable = false;
    StoreEarlierRun("30,40,100,100");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 30);
    EXPECT_EQ(Normal().Right, 30 + 696);
    EXPECT_EQ(Normal().Bottom, 40 + 470);
}

TEST_F(PlacementTest, OlderStoreVersionIsLeftAloneANewerOneApplies)
{
    StoreEarlierRun("30,40,730,520", "3");
    Store("FormVersion", "-1");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_EQ(window.State, platform::WindowState::Normal);
    EXPECT_TRUE(keeper.Restored) << "the restore still counts";

    // A later version of the program keeps the same values: they still apply.
    Store("FormVersion", "1");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 30);
    EXPECT_EQ(window.State, platform::WindowState::Maximized);
}

TEST_F(PlacementTest, EmptyWordTakesItsDefaultWithoutShiftingTheOthers)
{
    StoreEarlierRun("30,,730,520");
    Store("MinMaxPos(1024x768)", ",-2,-5,-6");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 30);
    EXPECT_EQ(Normal().Top, 149) << "the current top";
    EXPECT_EQ(Normal().Right, 730);
    EXPECT_EQ(Normal().Bottom, 520);
    EXPECT_EQ(window.Record.MinPosition.X, 0);
    EXPECT_EQ(window.Record.MinPosition.Y, -2);
}

TEST_F(PlacementTest, WindowLeftOnAMonitorThatIsGoneComesBackWholeOnAWorkArea)
{
    sim.screen.WorkAreas = {{0, 0, 1024, 728}}; // a taskbar at the bottom
    const std::pair<std::string, platform::PlacementRect> cases[] = {
        {"-600,-400,96,70", {0, 0, 696, 470}},       // mostly off the top left
        {"1500,100,2196,570", {328, 100, 1024, 570}}, // on a right-hand monitor unplugged
        {"100,-200,796,270", {100, 0, 796, 470}},     // the caption above the work area
        {"100,500,796,970", {100, 258, 796, 728}},    // under the taskbar
        {"-50,-50,2000,1000", {0, 0, 1024, 728}},     // larger than the work area
        {"30,40,730,520", {30, 40, 730, 520}},        // whole already: untouched
    };
    for (const auto& [stored, expected] : cases) {
        StoreEarlierRun(stored);
        keeper.RestorePlacement();
        EXPECT_EQ(Normal().Left, expected.Left) << stored;
        EXPECT_EQ(Normal().Top, expected.Top) << stored;
        EXPECT_EQ(Normal().Right, expected.Right) << stored;
        EXPECT_EQ(Normal().Bottom, expected.Bottom) << stored;
    }
    // A second monitor still there keeps the window where it was.
    sim.screen.WorkAreas = {{0, 0, 1024, 728}, {1024, 0, 2304, 1024}};
    StoreEarlierRun("1500,100,2196,570");
    keeper.RestorePlacement();
    EXPECT_EQ(Normal().Left, 1500);
    EXPECT_EQ(Normal().Right, 2196);
}

// Values no window could have saved, whose sizes overflow an int: the designed
// placement stays (the sanitizer build checks the arithmetic).
TEST_F(PlacementTest, ExtremeStoredRectangleIsIgnored)
{
    for (const char* stored : {"-2000000000,0,2000000000,400", "0,-2147483648,300,2147483647",
                               "2147483000,0,2147483647,400", "-1000001,0,100,400"}) {
        StoreEarlierRun(stored);
        keeper.RestorePlacement();
        EXPECT_EQ(Normal().Left, 164) << stored;
        EXPECT_TRUE(window.Centred) << stored;
    }
}

TEST_F(PlacementTest, MaximizedPositionPutsTheFrameJustOffScreen)
{
    sim.screen.FrameX = 8;
    sim.screen.FrameY = 6;
    keeper.RestorePlacement();
    EXPECT_EQ(window.Record.MaxPosition.X, -8);
    EXPECT_EQ(window.Record.MaxPosition.Y, -6);
}

TEST_F(PlacementTest, HiddenWindowIsNotShownByTheRestore)
{
    window.IsVisible = false;
    StoreEarlierRun("30,40,730,520");
    keeper.RestorePlacement();
    EXPECT_FALSE(window.IsVisible);
    EXPECT_EQ(Normal().Left, 30);
}

TEST_F(PlacementTest, RestoreClearsSavedAndARoundTripKeepsThePlacement)
{
    keeper.RestorePlacement();
    window.Record.NormalPosition = {11, 22, 611, 422};
    window.State = platform::WindowState::Maximized;
    keeper.SavePlacement();

    platform::headless::PlacedWindow next;
    TFormPlacement nextKeeper(next);
    nextKeeper.RestorePlacement();
    EXPECT_FALSE(nextKeeper.Saved);
    EXPECT_EQ(next.Record.NormalPosition.Left, 11);
    EXPECT_EQ(next.Record.NormalPosition.Bottom, 422);
    EXPECT_EQ(next.State, platform::WindowState::Maximized);
}

TEST_F(PlacementTest, CloseSavesAndDestroyAfterItDoesNotSaveAgain)
{
    keeper.FormShow();
    keeper.FormCloseQuery(false, true);
    EXPECT_FALSE(sim.registry.KeyExists(Section)); // closing refused: nothing saved
    keeper.FormCloseQuery(true, true);
    EXPECT_EQ(Stored("Visible"), "0");
    window.Record.NormalPosition = {1, 2, 3, 4};
    keeper.FormDestroy();
    EXPECT_EQ(Stored("NormPos"), "164,149,860,619");
    EXPECT_EQ(Stored("Visible"), "0");
}

TEST_F(PlacementTest, DestroyWithoutACloseSavesAsVisible)
{
    keeper.FormShow();
    keeper.FormDestroy();
    EXPECT_EQ(Stored("Visible"), "1");
    EXPECT_TRUE(keeper.Saved);
}

TEST_F(PlacementTest, ShowingAgainUndoesAMoveThatWasNotSavedByAClose)
{
    keeper.FormShow();
    keeper.FormCloseQuery(true, true);
    window.Record.NormalPosition = {500, 500, 900, 900}; // moved, then hidden with Escape
    keeper.FormShow();
    EXPECT_EQ(Normal().Left, 164);
    EXPECT_FALSE(keeper.Saved);
}

TEST_F(PlacementTest, FailedSaveIsReportedAndTheDestroyGoesOn)
{
    sim.registry.FailWritesTo("NormPos");
    keeper.FormShow();
    keeper.FormDestroy();
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Failed to set data for 'NormPos'"}));
    EXPECT_FALSE(keeper.Saved);
    EXPECT_EQ(Stored("FormVersion"), "0"); // what came before the failure stays written
}

} // namespace
