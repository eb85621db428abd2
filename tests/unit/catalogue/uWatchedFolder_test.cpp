#include "catalogue/uWatchedFolder.h"

#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/SortedItems.h"
#include "common/Exception.h"
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

TEST_F(SettleTest, OnlyChangesThatCanAlterTheEntriesCostAnything)
{
    sim.files.AddFolder(In("Tools\\.git\\objects"), 0);
    sim.files.AddFolder(In("Tools\\.git"), AttrHidden);
    sim.files.AddFolder(In("Secret"), AttrHidden);
    sim.clock.Advance(2000);
    rescans.clear();
    const std::size_t listed = sim.files.Enumerations();
    const auto nothingHappens = [&](const char* what) {
        EXPECT_FALSE(sim.clock.RunningTimers() > 0) << what;
        sim.clock.Advance(5000);
        EXPECT_EQ(sim.files.Enumerations(), listed) << what;
        EXPECT_TRUE(rescans.empty()) << what;
    };
    // Beside the folder (its parent is the Start Menu), and outside altogether.
    sim.files.AddFile("C:\\Profile\\Start Menu\\readme.txt");
    sim.files.AddFile("C:\\Profile\\Start Menu\\Beside.lnk");
    sim.files.AddFolder("C:\\Profile\\Start Menu\\Other\\Deep");
    sim.files.AddFile("C:\\Profile\\Desktop\\x.lnk");
    nothingHappens("outside the folder");
    // Files that are not shortcuts, created, renamed and deleted, however deep.
    for (const char* name : {"notes.txt", "Tools\\build.tmp", "Tools\\a.lnk~", "Tools\\b.url.bak"}) {
        sim.files.AddFile(In(name));
        sim.files.Rename(In(name), In(std::string(name) + ".old"));
        sim.files.Remove(In(std::string(name) + ".old"));
    }
    nothingHappens("not shortcuts");
    // Anything below a hidden folder, at any depth, shortcuts and folders included.
    sim.files.AddFile(In("Secret\\S.lnk"));
    sim.files.AddFile(In("Tools\\.git\\objects\\O.url"));
    sim.files.AddFolder(In("Tools\\.git\\objects\\pack\\x.lnk"));
    nothingHappens("below hidden folders");

    // A shortcut in any letter case, or a folder, is listed again: only its own folder.
    int expected = 0;
    for (const char* name : {"Tools\\One.LNK", "Tools\\Two.Url", "Tools\\three.lnk", "Tools\\Sub"}) {
        const std::size_t before = sim.files.Enumerations();
        if (std::string(name).find('.') == std::string::npos)
            sim.files.AddFolder(In(name));
        else
            sim.files.AddFile(In(name));
        sim.clock.Advance(2000);
        EXPECT_EQ(sim.files.Enumerations() - before, std::string(name) == "Tools\\Sub" ? 2u : 1u) << name;
        if (std::string(name) != "Tools\\Sub")
            ++expected;
        EXPECT_EQ(rescans.size(), static_cast<std::size_t>(expected)) << name;
    }
    EXPECT_EQ(Paths(source), (std::vector<std::string>{In("A.lnk"), In("Tools\\One.LNK"), In("Tools\\three.lnk"),
                                                      In("Tools\\Two.Url")}));
}

TEST_F(SettleTest, RescanWithoutOnChangeStillRescans)
{
    source.OnChange = nullptr;
    sim.files.AddFile(In("B.lnk"));
    sim.clock.Advance(2000);
    EXPECT_EQ(source.Entries.size(), 2u);
}

TEST_F(SettleTest, WalkThatFailsMidwayKeepsTheEntriesAndReportsTheError)
{
    TProgramInfo* a = source.Entries.at(0).get();
    sim.files.BeforeEnumerate = [](const std::string&) { throw Exception("Out of resources"); };
    EXPECT_NO_THROW(source.Rescan());
    EXPECT_EQ(sim.application.ErrorsShown, std::vector<std::string>{"Out of resources."});
    ASSERT_EQ(source.Entries.size(), 1u);
    EXPECT_EQ(source.Entries[0].get(), a) << "nothing was discarded, so nothing needs rebuilding";
    EXPECT_TRUE(rescans.empty());
    EXPECT_FALSE(source.IsWalking());
}

TEST_F(SettleTest, FreeingTheSourceEndsItsWatchAndTimer)
{
    sim.files.AddFile(In("B.lnk"));
    EXPECT_EQ(sim.clock.RunningTimers(), 1u);
    {
        TWatchedFolder other(store);
        other.ScanFolder(Programs);
        EXPECT_EQ(sim.files.ActiveWatches(), 4u); // the tree and its parent's folder names, each
    }
    EXPECT_EQ(sim.files.ActiveWatches(), 2u);
    EXPECT_EQ(sim.clock.RunningTimers(), 1u);
}

TEST_F(WatchedFolderTest, RescanFreesEntriesHeldByTheListAndTheStore)
{
    // Run under AddressSanitizer: nothing may keep using the discarded entries.
    sim.files.AddFile(In("A.lnk"));
    Teach(In("A.lnk"), "a");
    TWatchedFolder source(store);
    source.ScanFolder(Programs);
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
    sim.files.DenyWatch(Programs);
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
