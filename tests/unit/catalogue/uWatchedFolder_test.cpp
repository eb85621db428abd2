#include "catalogue/uWatchedFolder.h"

#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "common/Exception.h"
#include "catalogue/uSortedItems.h"
#include "matching/abbreviations.h"

namespace {

using platform::headless::AttrHidden;
using platform::headless::AttrReadOnly;
using platform::headless::AttrSystem;

constexpr const char* Programs = "C:\\Profile\\Start Menu\\Programs";

class WatchedFolderTest : public SimulatorTest {
protected:
    WatchedFolderTest() { sim.specialFolders.Paths[platform::CsidlPrograms] = Programs; }

    static std::vector<std::string> Paths(const TWatchedFolder& source)
    {
        std::vector<std::string> paths;
        for (const auto& entry : source.Entries)
            paths.push_back(entry->Path);
        return paths;
    }

    // Gives the path a learned abbreviation, as if loaded from the registry.
    void Teach(const std::string& path, const std::string& abbreviation)
    {
        TProgramInfo entry;
        entry.SetPath(path);
        entry.Abbreviation = abbreviation;
        store.SetAbbrev(entry);
    }

    std::string In(const std::string& name) { return std::string(Programs) + "\\" + name; }

    TAbbrevInfos store;
};

TEST_F(WatchedFolderTest, TakesLnkThenUrlFilesOfTheWholeTree)
{
    sim.files.AddFile(In("A.lnk"));
    sim.files.AddFile(In("B.LNK"));
    sim.files.AddFile(In("C.Lnk"));
    sim.files.AddFile(In("D.url"));
    sim.files.AddFile(In("E.pif"));
    sim.files.AddFile(In("Hidden.lnk"), {}, AttrHidden);
    sim.files.AddFolder(In("Games"), AttrSystem);
    sim.files.AddFile(In("Games\\G.URL"));
    sim.files.AddFile(In("Games\\G.lnk"));
    sim.files.AddFolder(In("Locked"), AttrReadOnly);
    sim.files.AddFile(In("Locked\\L.lnk"));
    sim.files.AddFolder(In("Secret"), AttrHidden);
    sim.files.AddFile(In("Secret\\S.lnk"));
    sim.files.AddFolder(In("x.lnk"));
    sim.files.AddFile(In("x.lnk\\inner.lnk"));

    TWatchedFolder source(store);
    source.LoadSpecialFolder(platform::CsidlPrograms);

    EXPECT_EQ(source.Folder, Programs);
    EXPECT_EQ(Paths(source), (std::vector<std::string>{
                                 In("A.lnk"), In("B.LNK"), In("C.Lnk"), In("Hidden.lnk"), In("x.lnk"),
                                 In("Games\\G.lnk"), In("Locked\\L.lnk"), In("x.lnk\\inner.lnk"),
                                 In("D.url"), In("Games\\G.URL")}));
    EXPECT_EQ(source.Entries.front()->Name, "A");
}

TEST_F(WatchedFolderTest, EntriesReceiveTheirLearnedAbbreviationAndFillTheList)
{
    sim.files.AddFile(In("Notepad.lnk"));
    sim.files.AddFile(In("Calc.lnk"));
    Teach(In("NOTEPAD.LNK"), "np");

    TWatchedFolder source(store);
    source.LoadSpecialFolder(platform::CsidlPrograms);
    TSortedItems items;
    source.FillList(items);

    ASSERT_EQ(items.Count(), 2u);
    EXPECT_EQ(items.Text(0), "Calc");
    EXPECT_EQ(items.Text(1), "Notepad - np");
    EXPECT_EQ(items.Entry(1), source.Entries[1].get());
    // The store's record is attached to the new entry.
    source.Entries[0]->Abbreviation = "np";
    store.SetAbbrev(*source.Entries[0]);
    EXPECT_EQ(source.Entries[1]->Abbreviation, "");
}

TEST_F(WatchedFolderTest, SpecialFolderThatDoesNotResolveGivesAnEmptyUnwatchedSource)
{
    sim.files.AddFile("C:\\Profile\\Desktop\\A.lnk");
    {
        TWatchedFolder source(store);
        source.LoadSpecialFolder(platform::CsidlDesktopDirectory);
        EXPECT_TRUE(source.Entries.empty());
        EXPECT_FALSE(source.IsWatching());
        EXPECT_EQ(sim.files.ActiveWatches(), 0u);
        sim.files.AddFile("C:\\Profile\\Desktop\\B.lnk");
        sim.clock.Advance(10000);
        EXPECT_EQ(sim.files.Enumerations(), 0u);
    }
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

TEST_F(WatchedFolderTest, ResolvedFolderThatIsMissingGivesNoEntriesButIsWatched)
{
    sim.files.AddFolder("C:\\Profile\\Start Menu");
    TWatchedFolder source(store);
    source.LoadSpecialFolder(platform::CsidlPrograms);
    EXPECT_TRUE(source.Entries.empty());
    EXPECT_TRUE(source.IsWatching());
    // Once the folder appears, its shortcuts arrive.
    sim.files.AddFile(In("A.lnk"));
    sim.clock.Advance(2000);
    EXPECT_EQ(source.Entries.size(), 1u);
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

class SettleTest : public WatchedFolderTest {
protected:
    SettleTest()
    {
        sim.files.AddFile(In("A.lnk"), "target one");
        source.LoadSpecialFolder(platform::CsidlPrograms);
        source.OnChange = [this](TShortcutDataSource& sender) {
            EXPECT_EQ(&sender, &source);
            rescans.push_back(sim.clock.Now());
        };
    }

    TWatchedFolder source{store};
    std::vector<std::uint64_t> rescans;
};

TEST_F(SettleTest, TenChangesHalfASecondApartGiveOneRescanTwoSecondsAfterTheLast)
{
    for (int i = 0; i < 10; ++i) {
        if (i > 0)
            sim.clock.Advance(500);
        sim.files.AddFile(In("New" + std::to_string(i) + ".lnk"));
    }
    const std::uint64_t last = sim.clock.Now();
    sim.clock.Advance(1999);
    EXPECT_TRUE(rescans.empty());
    sim.clock.Advance(1);
    EXPECT_EQ(rescans, (std::vector<std::uint64_t>{last + 2000}));
    EXPECT_EQ(source.Entries.size(), 11u);
    sim.clock.Advance(60000);
    EXPECT_EQ(rescans.size(), 1u);
}

TEST_F(SettleTest, ChangingOnlyContentsOrAttributesTriggersNothing)
{
    sim.files.AddFile(In("A.lnk"), "target two");
    sim.files.AddFile(In("A.lnk"), "target two", AttrHidden | AttrReadOnly);
    sim.clock.Advance(60000);
    EXPECT_TRUE(rescans.empty());
}

TEST_F(SettleTest, AnyChangeUnderTheParentFolderRescans)
{
    // The Programs folder's parent is the Start Menu: a change beside Programs counts.
    sim.files.AddFile("C:\\Profile\\Start Menu\\readme.txt");
    sim.clock.Advance(2000);
    sim.files.AddFolder("C:\\Profile\\Start Menu\\Programs\\Tools\\Deep");
    sim.clock.Advance(2000);
    sim.files.Rename(In("A.lnk"), In("Renamed.lnk"));
    sim.clock.Advance(2000);
    sim.files.Remove(In("Renamed.lnk"));
    sim.clock.Advance(2000);
    EXPECT_EQ(rescans, (std::vector<std::uint64_t>{2000, 4000, 6000, 8000}));
    EXPECT_TRUE(source.Entries.empty());
    // Outside the Start Menu nothing is watched.
    sim.files.AddFile("C:\\Profile\\Desktop\\x.lnk");
    sim.clock.Advance(5000);
    EXPECT_EQ(rescans.size(), 4u);
}

TEST_F(SettleTest, RescanWithoutOnChangeStillRescans)
{
    source.OnChange = nullptr;
    sim.files.AddFile(In("B.lnk"));
    sim.clock.Advance(2000);
    EXPECT_EQ(source.Entries.size(), 2u);
}

TEST_F(SettleTest, RescanThatFailsMidwayStillTellsTheCatalogue)
{
    sim.files.BeforeEnumerate = [](const std::string&) { throw Exception("Out of resources"); };
    EXPECT_THROW(source.Rescan(), Exception);
    EXPECT_EQ(rescans.size(), 1u) << "the list holding the discarded entries must be rebuilt";
    EXPECT_TRUE(source.Entries.empty());
}

TEST_F(SettleTest, FreeingTheSourceEndsItsWatchAndTimer)
{
    sim.files.AddFile(In("B.lnk"));
    EXPECT_EQ(sim.clock.RunningTimers(), 1u);
    {
        TWatchedFolder other(store);
        other.ScanFolder(Programs);
        EXPECT_EQ(sim.files.ActiveWatches(), 2u);
    }
    EXPECT_EQ(sim.files.ActiveWatches(), 1u);
    EXPECT_EQ(sim.clock.RunningTimers(), 1u);
}

TEST_F(SettleTest, RescanFreesEntriesHeldByTheListAndTheStore)
{
    // Run under AddressSanitizer: nothing may keep using the discarded entries.
    Teach(In("A.lnk"), "a");
    source.Rescan();
    ASSERT_EQ(source.Entries.size(), 1u);
    EXPECT_EQ(source.Entries[0]->Abbreviation, "a");
    TSortedItems items;
    source.FillList(items);

    sim.files.Remove(In("A.lnk"));
    sim.files.AddFile(In("B.lnk"));
    sim.clock.Advance(2000);
    ASSERT_EQ(source.Entries.size(), 1u);

    // A's record was attached to the freed entry; teaching "a" to B walks the records.
    TProgramInfo& b = *source.Entries[0];
    b.Abbreviation = "a";
    store.SetAbbrev(b);
    EXPECT_EQ(b.Abbreviation, "a");
    items.Clear();
    source.FillList(items);
    ASSERT_EQ(items.Count(), 1u);
    EXPECT_EQ(items.Text(0), "B - a");
}

TEST_F(WatchedFolderTest, FolderThatCannotBeWatchedIsScannedAndReportedOnce)
{
    sim.files.AddFile(In("A.lnk"));
    sim.files.DenyWatch("C:\\Profile\\Start Menu");
    TWatchedFolder source(store);
    EXPECT_NO_THROW(source.LoadSpecialFolder(platform::CsidlPrograms));
    EXPECT_EQ(source.Entries.size(), 1u);
    EXPECT_FALSE(source.IsWatching());
    source.ScanFolder(Programs);
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Invalid folder."}));
}

TEST_F(WatchedFolderTest, FolderWithoutParentCannotBeWatched)
{
    TWatchedFolder source(store);
    source.ScanFolder("Relative");
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Invalid folder."}));
}

} // namespace
