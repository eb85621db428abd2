#include "catalogue/PackagedApps.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "matching/SearchPanelTest.h"
#include "matching/abbreviations.h"
#include "shell/main.h"

namespace {

using platform::AppsFolderItem;
using platform::headless::RegValue;
using Texts = std::vector<std::string>;

const std::string Calculator = "Microsoft.WindowsCalculator_8wekyb3d8bbwe!App";
const std::string Settings = "windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows.immersivecontrolpanel";
const std::string Terminal = "Microsoft.WindowsTerminal_8wekyb3d8bbwe!App";
const std::string Photos = "Microsoft.Windows.Photos_8wekyb3d8bbwe!App";
// Desktop programs are in the folder too, under names that are no application IDs.
const std::string DesktopNotepad = "{6D809377-6AF0-444B-8957-A3773F02200E}\\Notepad++\\notepad++.exe";

std::string AppPath(const std::string& id)
{
    return "shell:AppsFolder\\" + id;
}

// Polls, as a guard against a hang, until the condition holds or ten seconds have passed.
template <class Condition>
bool Eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

TEST(ApplicationUserModelId, OnlyTheIdsOfPackagedAppsCount)
{
    for (const std::string& id : {Calculator, Settings, Terminal, std::string("Abc_0123456789abc!A.b-c_d")})
        EXPECT_TRUE(IsApplicationUserModelId(id)) << id;
    for (const char* other : {"", "Microsoft.Windows.Explorer", "Chrome", "C:\\Apps\\Tool_8wekyb3d8bbwe!App",
                              "{6D809377-6AF0-444B-8957-A3773F02200E}\\Tool\\tool.exe",
                              "Ab_8wekyb3d8bbwe!App",               // package name too short
                              "Microsoft.Tool_8WEKYB3D8BBWE!App",   // publisher IDs are lower case
                              "Microsoft.Tool_8wekyb3d8bbw!App",    // twelve characters
                              "Microsoft.Tool8wekyb3d8bbwe!App",    // no publisher at all
                              "Microsoft.Tool_8wekyb3d8bbwe!",      // no application
                              "Microsoft.Tool_8wekyb3d8bbwe!App!2", // two of them
                              "Microsoft Tool_8wekyb3d8bbwe!App"})
        EXPECT_FALSE(IsApplicationUserModelId(other)) << other;
    EXPECT_FALSE(IsApplicationUserModelId("Microsoft.Tool_8wekyb3d8bbwe!" + std::string(65, 'A')));
}

// The catalogue of a user with a Start Menu and an Applications folder, searched
// through the Launch! page's panel.
class PackagedAppsCatalogueTest : public SearchPanelTest {
protected:
    PackagedAppsCatalogueTest()
    {
        sim.appsFolder.SetItems(
            {{"Calculator", Calculator}, {"Notepad++", DesktopNotepad}, {"Settings", Settings}, {"Terminal", Terminal}});
    }

    // The listing that began with the catalogue arrives on the user-interface thread.
    void DeliverListing() { ASSERT_TRUE(sim.uiThread.RunNext()); }

    std::vector<std::string> PathsListedAs(const std::string& text)
    {
        std::vector<std::string> paths;
        for (const auto& [listed, entry] : SearchData().Items().Pairs())
            if (listed == text)
                paths.push_back(entry->Path);
        return paths;
    }

    void CloseCatalogue()
    {
        panel.reset();
        host.reset();
        FreeSearchData();
    }
};

TEST_F(PackagedAppsCatalogueTest, AppsAreFoundByTypingLaunchedThroughTheShellAndKeepWhatTheyLearn)
{
    AddProgram("Cabinet");
    Open();
    Search("ca");
    EXPECT_EQ(Rows(), (Texts{"Cabinet"})) << "nothing before the listing arrives";

    DeliverListing();
    Search("ca");
    EXPECT_EQ(Rows(), (Texts{"Cabinet", "Calculator"}));
    Search("notepad");
    EXPECT_EQ(Rows(), Texts{}) << "desktop programs come from the Start Menu only";

    LaunchOnGo = true;
    Search("calc");
    form->PressKey(platform::vk::Return);
    EXPECT_EQ(Picked, (Texts{AppPath(Calculator)}));
    EXPECT_EQ(sim.appsFolder.Activated, (Texts{Calculator}));
    EXPECT_TRUE(sim.shell.Opened.empty());
    EXPECT_EQ(SavedPairs(), (std::vector<std::pair<std::string, std::string>>{{"calc", AppPath(Calculator)}}));

    // The next run loads the abbreviation and gives it to the app once it is listed again.
    CloseCatalogue();
    Open();
    DeliverListing();
    Search("ca");
    EXPECT_EQ(Rows(), (Texts{"Calculator - calc", "Cabinet"}));
}

TEST_F(PackagedAppsCatalogueTest, AppsComeAfterEverySourceAndStandFirstAmongEqualNames)
{
    AddProgram("Terminal");
    Open();
    DeliverListing();
    EXPECT_EQ(PathsListedAs("Terminal"), (Texts{AppPath(Terminal), PathOf("Terminal")}));
    EXPECT_EQ(PathsListedAs("Settings"), (Texts{AppPath(Settings)}));
}

TEST_F(PackagedAppsCatalogueTest, TheSwitchDecidesWhetherTheFolderIsListedAtAll)
{
    sim.registry.SetValue(SettingsKey, "PackagedApps", RegValue::Dword(0));
    AddProgram("Editor");
    Open();
    EXPECT_EQ(sim.appsFolder.Listings(), 0);
    EXPECT_TRUE(PathsListedAs("Calculator").empty());

    Config().PackagedApps = true;
    SearchData().Reload();
    DeliverListing();
    EXPECT_EQ(PathsListedAs("Calculator"), (Texts{AppPath(Calculator)}));
    EXPECT_EQ(PathsListedAs("Editor"), (Texts{PathOf("Editor")}));

    Config().PackagedApps = false;
    SearchData().Reload();
    EXPECT_TRUE(PathsListedAs("Calculator").empty());
    EXPECT_EQ(sim.appsFolder.Listings(), 1);
}

TEST_F(PackagedAppsCatalogueTest, AFailureMidwayIsReportedAndStartUpGoesOnWithWhatWasListed)
{
    AddProgram("Editor");
    sim.appsFolder.FailAfter(2, "The device is not ready");
    Open();
    EXPECT_EQ(PathsListedAs("Editor"), (Texts{PathOf("Editor")}));

    DeliverListing();
    EXPECT_EQ(sim.application.ErrorsShown,
              (Texts{"The apps from the Microsoft Store and Windows could not be listed: The device is not ready."}));
    EXPECT_EQ(PathsListedAs("Calculator"), (Texts{AppPath(Calculator)})) << "listed before the failure";
    EXPECT_TRUE(PathsListedAs("Settings").empty());
    EXPECT_EQ(PathsListedAs("Editor"), (Texts{PathOf("Editor")}));
}

TEST_F(CatalogueTest, AnAppInstalledMeanwhileIsListedWhenTheWindowIsCalledUpAMinuteLater)
{
    constexpr unsigned Win = 8;
    sim.appsFolder.SetItems({{"Calculator", Calculator}});
    auto main = std::make_unique<TMainForm>();
    auto& form = static_cast<platform::headless::SimForm&>(*main->Form);
    auto& results = form.Frame("frmSearchUI1").ListBox("lbSearch");
    main->Form->Show();
    sim.clock.Advance(1); // hidden at the first tick
    ASSERT_TRUE(sim.uiThread.RunNext());

    sim.appsFolder.SetItems({{"Calculator", Calculator}, {"Terminal", Terminal}});
    ASSERT_TRUE(sim.widgets.SimulateHotkey(Win, 'J'));
    form.Type("term");
    EXPECT_EQ(results.Texts(), Texts{});
    EXPECT_EQ(sim.appsFolder.Listings(), 1) << "the listing is not a minute old yet";

    form.PressKey(platform::vk::Escape);
    sim.clock.Advance(TPackagedAppsFolder::StaleAfterMs);
    ASSERT_TRUE(sim.widgets.SimulateHotkey(Win, 'J'));
    ASSERT_TRUE(sim.uiThread.RunNext());
    form.Type("term");
    EXPECT_EQ(results.Texts(), Texts{"Terminal"});
    main.reset();
}

// The source alone, where a test can wait for its thread.
class PackagedAppsFolderTest : public SimulatorTest {
protected:
    PackagedAppsFolderTest()
    {
        sim.appsFolder.SetItems({{"Calculator", Calculator}, {"Notepad++", DesktopNotepad}, {"Terminal", Terminal}});
    }

    std::unique_ptr<TPackagedAppsFolder> Make()
    {
        auto source = std::make_unique<TPackagedAppsFolder>(store);
        source->OnChange = [this](TShortcutDataSource&) { ++changes; };
        return source;
    }
    // The listing's thread has ended: whatever it had to deliver is queued by now.
    static void Finish(const TPackagedAppsFolder& source)
    {
        ASSERT_TRUE(Eventually([&] { return !source.Listing(); }));
    }
    void Deliver(const TPackagedAppsFolder& source)
    {
        ASSERT_TRUE(sim.uiThread.RunNext());
        Finish(source);
    }
    // Calls the window up once the last listing is a minute old.
    void CallUpAMinuteLater(TPackagedAppsFolder& source)
    {
        sim.clock.Advance(TPackagedAppsFolder::StaleAfterMs);
        source.WindowCalledUp();
    }
    static Texts Names(const TPackagedAppsFolder& source)
    {
        Texts names;
        for (const auto& entry : source.Entries)
            names.push_back(entry->Name);
        return names;
    }

    TAbbrevInfos store;
    int changes = 0;
};

TEST_F(PackagedAppsFolderTest, TheFolderIsListedAgainOnlyWhenCalledUpAMinuteAfterTheLastListing)
{
    auto source = Make();
    Deliver(*source);
    EXPECT_EQ(Names(*source), (Texts{"Calculator", "Terminal"}));
    EXPECT_EQ(changes, 1);

    sim.appsFolder.SetItems({{"Calculator", Calculator}, {"Photos", Photos}});
    sim.clock.Advance(TPackagedAppsFolder::StaleAfterMs - 1);
    source->WindowCalledUp();
    EXPECT_EQ(sim.appsFolder.Listings(), 1) << "a listing younger than a minute stands";

    sim.clock.Advance(1);
    EXPECT_EQ(sim.appsFolder.Listings(), 1) << "only a call-up lists";
    source->WindowCalledUp();
    Deliver(*source);
    EXPECT_EQ(sim.appsFolder.Listings(), 2);
    EXPECT_EQ(Names(*source), (Texts{"Calculator", "Photos"})) << "one installed, one removed";
    EXPECT_EQ(changes, 2);

    CallUpAMinuteLater(*source);
    Finish(*source);
    EXPECT_EQ(sim.appsFolder.Listings(), 3);
    EXPECT_EQ(sim.uiThread.Queued(), 0u) << "an unchanged folder costs the user-interface thread nothing";
    EXPECT_EQ(changes, 2);
}

TEST_F(PackagedAppsFolderTest, EachAppIsOneEntryAndOneWithoutANameIsListedByItsId)
{
    sim.appsFolder.SetItems({{"Calculator", Calculator}, {"", Terminal}, {"Calculator again", Calculator}});
    auto source = Make();
    Deliver(*source);
    ASSERT_EQ(Names(*source), (Texts{"Calculator", Terminal}));
    EXPECT_EQ(source->Entries[1]->Path, AppPath(Terminal));
    EXPECT_EQ(source->Entries[1]->AppUserModelId, Terminal);
}

TEST_F(PackagedAppsFolderTest, ALaterFailureIsNotReportedAgainAndKeepsTheLastCompleteList)
{
    auto source = Make();
    Deliver(*source);

    sim.appsFolder.FailAfter(1);
    CallUpAMinuteLater(*source);
    Deliver(*source);
    EXPECT_EQ(sim.application.ErrorsShown,
              (Texts{"The apps from the Microsoft Store and Windows could not be listed: The folder went away."}));
    EXPECT_EQ(Names(*source), (Texts{"Calculator", "Terminal"}));
    EXPECT_EQ(changes, 1);

    CallUpAMinuteLater(*source);
    Deliver(*source);
    EXPECT_EQ(sim.application.ErrorsShown.size(), 1u) << "reported once";
    EXPECT_EQ(Names(*source), (Texts{"Calculator", "Terminal"}));
    EXPECT_EQ(sim.appsFolder.Listings(), 3);

    sim.appsFolder.FailAfter(std::nullopt);
    sim.appsFolder.SetItems({{"Terminal", Terminal}});
    CallUpAMinuteLater(*source);
    Deliver(*source);
    EXPECT_EQ(Names(*source), (Texts{"Terminal"}));
    EXPECT_EQ(sim.application.ErrorsShown.size(), 1u);
}

TEST_F(PackagedAppsFolderTest, ACallUpDuringAListingStartsNoOtherAndFreeingTheSourceStopsIt)
{
    sim.appsFolder.Hold();
    auto source = Make();
    ASSERT_TRUE(Eventually([&] { return sim.appsFolder.Waiting(); }));
    CallUpAMinuteLater(*source);
    EXPECT_EQ(sim.appsFolder.Listings(), 1);
    source.reset(); // stops the listing in the folder: no hang
    EXPECT_EQ(sim.uiThread.Queued(), 0u);

    // Freed while its result waits for the user-interface thread: the result is withdrawn.
    sim.appsFolder.Release();
    source = Make();
    ASSERT_TRUE(Eventually([&] { return sim.uiThread.Queued() == 1; }));
    source.reset();
    EXPECT_EQ(sim.uiThread.RunPending(), 0);
    EXPECT_EQ(changes, 0);
}

} // namespace
