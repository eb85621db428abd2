#include "catalogue/uSearchData.h"

#include <algorithm>
#include <stdexcept>

#include "SimulatorTest.h"
#include "catalogue/uProgramInfo.h"
#include "common/Exception.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "platform/SpecialFolders.h"

namespace {

using platform::ScreenCursor;
using platform::headless::RegValue;

const std::string Programs = "C:\\Users\\me\\Start Menu\\Programs";
const std::string CommonPrograms = "C:\\ProgramData\\Start Menu\\Programs";
const std::string Documents = "C:\\Users\\me\\Documents";
const std::string Desktop = "C:\\Users\\me\\Desktop";
const std::string Recent = "C:\\Users\\me\\Recent";
const std::string System = "C:\\windows\\system32";

class SearchDataTest : public SimulatorTest {
protected:
    SearchDataTest()
    {
        sim.specialFolders.Paths = {{platform::CsidlPrograms, Programs},
                                    {platform::CsidlCommonPrograms, CommonPrograms},
                                    {platform::CsidlPersonal, Documents},
                                    {platform::CsidlDesktopDirectory, Desktop},
                                    {platform::CsidlRecent, Recent}};
        for (const std::string& folder : {Programs, CommonPrograms, Documents, Desktop, Recent, System})
            sim.files.AddFolder(folder);
    }
    ~SearchDataTest() override
    {
        FreeSearchData();
        FreeConfig();
    }

    void Switch(const std::string& name, bool on) { sim.registry.SetValue(SettingsKey, name, RegValue::Dword(on)); }

    void AllSwitches(bool on)
    {
        for (const char* name : {"StartMenuMe", "StartMenuAllUsers", "MyDocuments", "Desktop", "RecentFiles", "ControlPanel"})
            Switch(name, on);
    }

    // A Control Panel module with one applet of that name.
    void AddApplet(const std::string& module, const std::string& name)
    {
        platform::headless::SimulatedModule cpl;
        cpl.Applets.push_back({platform::CplInfo{0, 1, 2, 0}, 0});
        cpl.Strings = {{1, name}, {2, "about " + name}};
        sim.modules.AddModule(System + "\\" + module, cpl);
        sim.files.AddFile(System + "\\" + module);
    }

    static std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (const auto& [text, entry] : SearchData().Items().Pairs())
            texts.push_back(text);
        return texts;
    }

    static std::vector<std::string> PathsListedAs(const std::string& text)
    {
        std::vector<std::string> paths;
        for (const auto& [listed, entry] : SearchData().Items().Pairs())
            if (listed == text)
                paths.push_back(entry->Path);
        return paths;
    }

    static bool Lists(const std::string& text)
    {
        const auto texts = Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    // Finds the entry currently listed for a path.
    static TProgramInfo* EntryFor(const std::string& path)
    {
        for (const auto& [text, entry] : SearchData().Items().Pairs())
            if (entry->Path == path)
                return entry;
        return nullptr;
    }

    void AddShortcutInEveryFolder()
    {
        sim.files.AddFile(Programs + "\\Mine.lnk");
        sim.files.AddFile(CommonPrograms + "\\Shared.lnk");
        sim.files.AddFile(Documents + "\\Letter.lnk");
        sim.files.AddFile(Desktop + "\\Desk.url");
        sim.files.AddFile(Recent + "\\report.doc.lnk");
        AddApplet("mouse.cpl", "Mouse");
    }
};

TEST_F(SearchDataTest, AllSwitchesOffGiveAnEmptyCatalogueThatWatchesNothing)
{
    AllSwitches(false);
    AddShortcutInEveryFolder();
    EXPECT_EQ(SearchData().Items().Count(), 0u);
    EXPECT_EQ(sim.files.ActiveWatches(), 0u);
    EXPECT_EQ(sim.modules.Loads, 0);
}

TEST_F(SearchDataTest, DefaultsTakeEveryFolderAndRecentDocumentsButNoApplets)
{
    AddShortcutInEveryFolder();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Desk", "Letter", "Mine", "report.doc", "Shared"}));
    EXPECT_EQ(sim.modules.Loads, 0);
}

TEST_F(SearchDataTest, ControlPanelSwitchAddsTheAppletsReloadedOnEveryRebuild)
{
    Switch("ControlPanel", true);
    AddShortcutInEveryFolder();
    EXPECT_TRUE(Lists("Mouse"));
    const int loads = sim.modules.Loads;
    SearchData().Rebuild();
    EXPECT_GT(sim.modules.Loads, loads);
    EXPECT_TRUE(Lists("Mouse"));
}

TEST_F(SearchDataTest, EachSwitchRemovesOnlyItsOwnFolder)
{
    AddShortcutInEveryFolder();
    Switch("Desktop", false);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Letter", "Mine", "report.doc", "Shared"}));

    FreeSearchData();
    FreeConfig();
    Switch("Desktop", true);
    Switch("StartMenuAllUsers", false);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Desk", "Letter", "Mine", "report.doc"}));
}

TEST_F(SearchDataTest, EqualNamesAreAllListedWithTheLaterSourceFirst)
{
    sim.files.AddFile(Programs + "\\Notepad.lnk");
    sim.files.AddFile(CommonPrograms + "\\Notepad.lnk");
    sim.files.AddFile(Desktop + "\\NOTEPAD.lnk");
    sim.files.AddFile(Documents + "\\notes.lnk");

    EXPECT_EQ(Texts(), (std::vector<std::string>{"NOTEPAD", "Notepad", "Notepad", "notes"}));
    EXPECT_EQ(PathsListedAs("Notepad"),
              (std::vector<std::string>{CommonPrograms + "\\Notepad.lnk", Programs + "\\Notepad.lnk"}));
}

TEST_F(SearchDataTest, ItemsFollowTheLocaleOrderAndRecentDocumentsAlreadyListedAreLeftOut)
{
    for (const char* name : {"zeta", "Alpha", "beta", "ALPHA 2", "Gamma", "delta"})
        sim.files.AddFile(Programs + "\\" + name + ".lnk");
    // More pairs than a look-up searches unsorted, so the Recent source's look-ups meet a sorted list.
    for (int n = 0; n < 100; ++n)
        sim.files.AddFile(Documents + "\\doc" + std::to_string(n) + ".lnk");
    sim.files.AddFile(Recent + "\\BETA.lnk");
    sim.files.AddFile(Recent + "\\doc42.lnk");
    sim.files.AddFile(Recent + "\\new.txt.lnk");
    sim.files.AddFile(Recent + "\\sub\\new.txt.lnk");

    const auto texts = Texts();
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
        return sim.locale.CompareText(a, b) < 0;
    }));
    EXPECT_EQ(texts.size(), 6u + 100u + 1u);
    EXPECT_EQ(PathsListedAs("beta"), std::vector<std::string>{Programs + "\\beta.lnk"});
    EXPECT_EQ(PathsListedAs("doc42"), std::vector<std::string>{Documents + "\\doc42.lnk"});
    EXPECT_EQ(PathsListedAs("new.txt"), std::vector<std::string>{Recent + "\\new.txt.lnk"});
}

TEST_F(SearchDataTest, LearnedAbbreviationsAreLoadedBeforeTheSourcesAndSavedOnRequest)
{
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(1));
    sim.registry.SetValue(AbbreviationsKey, "Abbrev0", RegValue::Sz("np"));
    sim.registry.SetValue(AbbreviationsKey, "Path0", RegValue::Sz(Programs + "\\NOTEPAD.LNK"));
    sim.files.AddFile(Programs + "\\Notepad.lnk");

    EXPECT_EQ(Texts(), std::vector<std::string>{"Notepad - np"});

    TProgramInfo* notepad = EntryFor(Programs + "\\Notepad.lnk");
    ASSERT_NE(notepad, nullptr);
    notepad->Abbreviation = "no";
    SearchData().Abbreviations().SetAbbrev(*notepad);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Notepad - np"}); // a snapshot until the next rebuild
    SearchData().Rebuild();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Notepad - no"});

    SearchData().SaveAbbreviations();
    EXPECT_EQ(sim.registry.FindValue(AbbreviationsKey, "Abbrev0")->Text, "no");
}

TEST_F(SearchDataTest, CopyItemsToReplacesTheRows)
{
    sim.files.AddFile(Programs + "\\B.lnk");
    sim.files.AddFile(Programs + "\\A.lnk");
    std::vector<TCatalogueItems::Pair> rows = {{"stale", nullptr}};
    SearchData().CopyItemsTo(rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "A");
    EXPECT_EQ(rows[0].second->Path, Programs + "\\A.lnk");
    EXPECT_EQ(rows[1].first, "B");
}

TEST_F(SearchDataTest, ANewShortcutArrivesTwoSecondsAfterTheLastChangeWithoutAnyCall)
{
    sim.files.AddFile(Programs + "\\Old.lnk");
    const std::uint64_t before = SearchData().Generation();

    sim.files.AddFile(Programs + "\\Zephyrix\\New Shortcuts\\Site.url");
    sim.clock.Advance(1999);
    EXPECT_FALSE(Lists("Site"));
    EXPECT_EQ(SearchData().Generation(), before);
    sim.clock.Advance(1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Old", "Site"}));
    EXPECT_GT(SearchData().Generation(), before);
}

TEST_F(SearchDataTest, ReloadTakesTheSettingsAsTheyAreNowAndRescansEveryFolder)
{
    AddShortcutInEveryFolder();
    const std::uint64_t before = SearchData().Generation();
    const std::size_t enumerations = sim.files.Enumerations();

    SearchData().Reload(); // nothing changed: still every folder listed again
    EXPECT_GT(sim.files.Enumerations(), enumerations);
    EXPECT_GT(SearchData().Generation(), before);
    EXPECT_EQ(sim.application.Cursors, (std::vector<ScreenCursor>{ScreenCursor::Hourglass, ScreenCursor::Default}));

    Config().Desktop = false;
    Config().RecentFiles = false;
    SearchData().Reload();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Letter", "Mine", "Shared"}));

    // The Recent source went with its watch: a change in the profile no longer reaches it.
    sim.files.AddFile(Recent + "\\later.lnk");
    sim.clock.Advance(5000);
    EXPECT_FALSE(Lists("later"));
}

TEST_F(SearchDataTest, AFolderThatCannotBeWatchedIsReportedOnceAndTheRestComesUp)
{
    sim.files.AddFile(Programs + "\\Mine.lnk");
    sim.files.AddFile(Documents + "\\Letter.lnk");
    sim.files.DenyWatch("C:\\Users\\me\\Start Menu\\");

    EXPECT_EQ(Texts(), (std::vector<std::string>{"Letter", "Mine"}));
    EXPECT_EQ(sim.application.ErrorsShown, std::vector<std::string>{"Invalid folder."});
    SearchData().Reload();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Letter", "Mine"}));
}

TEST_F(SearchDataTest, ASourceThatThrowsWhileComingUpIsLeftOutAndReported)
{
    sim.files.AddFile(Programs + "\\Mine.lnk");
    sim.files.AddFile(Recent + "\\report.doc.lnk");
    sim.files.BeforeEnumerate = [](const std::string& mask) {
        if (mask.rfind(Recent, 0) == 0)
            throw Exception("Invalid folder");
    };

    EXPECT_EQ(Texts(), std::vector<std::string>{"Mine"});
    EXPECT_EQ(sim.application.ErrorsShown, std::vector<std::string>{"Invalid folder."});
    SearchData().Reload();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Mine"});
    EXPECT_EQ(sim.application.Cursors.back(), ScreenCursor::Default);
}

TEST_F(SearchDataTest, AFolderThatFailsDuringAReloadIsReportedAndTheRestComesUp)
{
    AddShortcutInEveryFolder();
    ASSERT_EQ(SearchData().Items().Count(), 5u);
    const std::uint64_t before = SearchData().Generation();
    sim.files.BeforeEnumerate = [](const std::string& mask) {
        if (mask.rfind(Documents, 0) == 0)
            throw std::logic_error("device not ready");
    };

    EXPECT_NO_THROW(SearchData().Reload());
    EXPECT_EQ(sim.application.Cursors, (std::vector<ScreenCursor>{ScreenCursor::Hourglass, ScreenCursor::Default}));
    EXPECT_EQ(sim.application.ErrorsShown, std::vector<std::string>{"device not ready."});
    EXPECT_EQ(SearchData().Items().Count(), 4u);
    EXPECT_FALSE(Lists("Letter"));
    EXPECT_GT(SearchData().Generation(), before);

    // The next reload that works brings everything back.
    sim.files.BeforeEnumerate = nullptr;
    SearchData().Reload();
    EXPECT_EQ(SearchData().Items().Count(), 5u);
}

TEST_F(SearchDataTest, TheCatalogueComesUpBeforeItsWalksEndAndTakesEachAsItEnds)
{
    AddShortcutInEveryFolder();
    sim.background.Hold(); // the walks are slow: they end when the test lets them
    EXPECT_EQ(SearchData().Items().Count(), 0u);
    EXPECT_EQ(sim.background.Queued(), 5u);
    const std::uint64_t before = SearchData().Generation();
    EXPECT_EQ(sim.background.RunPending(), 5);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Desk", "Letter", "Mine", "report.doc", "Shared"}));
    EXPECT_GT(SearchData().Generation(), before);
}

// Run under AddressSanitizer too: no walk's result may reach a freed source.
TEST_F(SearchDataTest, WalksAreAbandonedByAReloadAndByShutdown)
{
    AddShortcutInEveryFolder();
    sim.background.Hold();
    SearchData();
    SearchData().Reload(); // before any walk ran
    EXPECT_EQ(sim.background.Queued(), 5u);
    // A reload while a walk lists its tree.
    bool reloaded = false;
    sim.files.BeforeEnumerate = [&](const std::string& mask) {
        if (!reloaded && mask.rfind(Documents, 0) == 0) {
            reloaded = true;
            SearchData().Reload();
        }
    };
    sim.background.RunPending();
    EXPECT_TRUE(reloaded);
    EXPECT_EQ(SearchData().Items().Count(), 5u);

    // Shutdown with walks queued, and during one.
    SearchData().Reload();
    FreeSearchData();
    EXPECT_EQ(sim.background.Queued(), 0u);
    EXPECT_EQ(sim.background.RunPending(), 0);
    sim.files.BeforeEnumerate = [&](const std::string& mask) {
        if (mask.rfind(Desktop, 0) == 0)
            FreeSearchData();
    };
    SearchData();
    sim.background.RunPending();
    EXPECT_EQ(sim.files.ActiveWatches(), 0u);
    sim.files.BeforeEnumerate = nullptr;
}

TEST_F(SearchDataTest, AFailingRebuildLeavesItemsEmpty)
{
    Switch("ControlPanel", true);
    AddShortcutInEveryFolder();
    ASSERT_EQ(SearchData().Items().Count(), 6u);
    sim.files.BeforeEnumerate = [](const std::string& mask) {
        if (mask.rfind(System, 0) == 0)
            throw std::logic_error("device not ready");
    };
    EXPECT_THROW(SearchData().Rebuild(), std::logic_error);
    EXPECT_EQ(SearchData().Items().Count(), 0u);
}

TEST_F(SearchDataTest, SearchDataIsOneObjectUntilFreed)
{
    sim.files.AddFile(Programs + "\\Mine.lnk");
    TSearchData* first = &SearchData();
    EXPECT_EQ(&SearchData(), first);
    FreeSearchData();
    EXPECT_EQ(sim.files.ActiveWatches(), 0u);
    sim.files.AddFile(Programs + "\\Second.lnk");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Mine", "Second"}));
}

// Lifetimes: run under AddressSanitizer too.

TEST_F(SearchDataTest, ARescanWhileItemsAndTheStoreHoldEntriesLeavesNothingDangling)
{
    sim.files.AddFile(Programs + "\\Notepad.lnk");
    sim.files.AddFile(Programs + "\\Calc.lnk");
    sim.files.AddFile(Documents + "\\Other.lnk");
    TProgramInfo* notepad = EntryFor(Programs + "\\Notepad.lnk");
    notepad->Abbreviation = "n";
    SearchData().Abbreviations().SetAbbrev(*notepad);
    std::vector<TCatalogueItems::Pair> rows;
    SearchData().CopyItemsTo(rows);
    const std::uint64_t copiedAt = SearchData().Generation();

    sim.files.AddFile(Programs + "\\Paint.lnk");
    sim.clock.Advance(2000); // the programs folder is listed again

    EXPECT_NE(SearchData().Generation(), copiedAt); // rows must be taken afresh
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Calc", "Notepad - n", "Other", "Paint"}));

    // Teaching "n" elsewhere reaches the new Notepad entry only, never the freed one.
    TProgramInfo* other = EntryFor(Documents + "\\Other.lnk");
    other->Abbreviation = "N";
    SearchData().Abbreviations().SetAbbrev(*other);
    EXPECT_TRUE(EntryFor(Programs + "\\Notepad.lnk")->Abbreviation.empty());
    SearchData().Rebuild();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Calc", "Notepad", "Other - N", "Paint"}));
}

TEST_F(SearchDataTest, AReloadWhileTheStoreHasAttachedRecordsLeavesNothingDangling)
{
    sim.files.AddFile(Programs + "\\Notepad.lnk");
    sim.files.AddFile(Desktop + "\\Editor.lnk");
    TProgramInfo* notepad = EntryFor(Programs + "\\Notepad.lnk");
    TProgramInfo* editor = EntryFor(Desktop + "\\Editor.lnk");
    notepad->Abbreviation = "ed";
    SearchData().Abbreviations().SetAbbrev(*notepad);
    editor->Abbreviation = "x";
    SearchData().Abbreviations().SetAbbrev(*editor);

    Config().Desktop = false;
    SearchData().Reload(); // frees both entries; Editor's source is gone for good
    EXPECT_EQ(Texts(), std::vector<std::string>{"Notepad - ed"});

    TProgramInfo* fresh = EntryFor(Programs + "\\Notepad.lnk");
    fresh->ClearAbbreviation();
    fresh->Abbreviation = "x";
    SearchData().Abbreviations().SetAbbrev(*fresh); // the freed Editor's record is detached, not touched
    SearchData().Rebuild();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Notepad - x"});

    FreeSearchData(); // store, then Items, then the sources
    EXPECT_EQ(sim.files.ActiveWatches(), 0u);
}

} // namespace
