#include "catalogue/uRecentFile.h"

#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/SortedItems.h"
#include "matching/abbreviations.h"

namespace {

constexpr const char* Recent = "C:\\Profile\\Recent";
constexpr const char* Programs = "C:\\Profile\\Start Menu\\Programs";

class RecentFilesTest : public SimulatorTest {
protected:
    RecentFilesTest()
    {
        sim.specialFolders.Paths[platform::CsidlRecent] = Recent;
        sim.specialFolders.Paths[platform::CsidlPrograms] = Programs;
    }

    void AddProgram(const std::string& name) { sim.files.AddFile(std::string(Programs) + "\\" + name); }
    void AddRecent(const std::string& name) { sim.files.AddFile(std::string(Recent) + "\\" + name); }

    // Fills the list as the catalogue does: the Start Menu first, Recent last.
    std::vector<std::string> Listed(TWatchedFolder& programs, TRecentFilesFolder& recent)
    {
        items.Clear();
        programs.FillList(items);
        recent.FillList(items);
        std::vector<std::string> listed;
        for (std::size_t i = 0; i < items.Count(); ++i)
            listed.push_back(items.Text(i) + (dynamic_cast<TRecentProgramInfo*>(items.Entry(i)) ? " (recent)" : ""));
        return listed;
    }

    TAbbrevInfos store;
    TSortedItems items;
};

TEST_F(RecentFilesTest, ScansAndWatchesDuringConstructionWithRecentEntries)
{
    AddRecent("report.doc.lnk");
    AddRecent("site.url");
    TRecentFilesFolder recent(store);
    ASSERT_EQ(recent.Entries.size(), 2u);
    EXPECT_EQ(recent.Entries[0]->Name, "report.doc");
    EXPECT_NE(dynamic_cast<TRecentProgramInfo*>(recent.Entries[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<TRecentProgramInfo*>(recent.Entries[1].get()), nullptr);
    EXPECT_TRUE(recent.IsWatching());

    // Only the Recent folder's own tree counts: changes elsewhere in the profile cost
    // nothing, and a new recent document lists the Recent folder alone.
    int changes = 0;
    recent.OnChange = [&](TShortcutDataSource&) { ++changes; };
    sim.files.AddFile("C:\\Profile\\Documents\\new.txt");
    sim.files.AddFile("C:\\Profile\\AppData\\Temp\\x.lnk");
    sim.clock.Advance(5000);
    EXPECT_EQ(changes, 0);
    const TProgramInfo* report = recent.Entries[0].get();
    const std::size_t listed = sim.files.Enumerations();
    AddRecent("plan.xls.lnk");
    sim.clock.Advance(2000);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sim.files.Enumerations() - listed, 1u);
    ASSERT_EQ(recent.Entries.size(), 3u);
    EXPECT_EQ(recent.Entries[0]->Name, "plan.xls");
    EXPECT_NE(dynamic_cast<TRecentProgramInfo*>(recent.Entries[0].get()), nullptr);
    EXPECT_EQ(recent.Entries[1].get(), report);
}

TEST_F(RecentFilesTest, DocumentAlreadyListedIsLeftOutWhateverItsCase)
{
    AddProgram("Notepad.lnk");
    AddProgram("Paint.lnk");
    AddRecent("Notepad.lnk");
    AddRecent("PAINT.lnk");
    AddRecent("Letter.doc.lnk");
    TWatchedFolder programs(store);
    programs.LoadSpecialFolder(platform::CsidlPrograms);
    TRecentFilesFolder recent(store);

    EXPECT_EQ(Listed(programs, recent),
              (std::vector<std::string>{"Letter.doc (recent)", "Notepad", "Paint"}));
    // Left out of the list, still owned.
    EXPECT_EQ(recent.Entries.size(), 3u);
}

TEST_F(RecentFilesTest, AbbreviationMakesTheTextsDiffer)
{
    AddProgram("Notepad.lnk");
    AddRecent("Notepad.lnk");
    TProgramInfo taught;
    taught.SetPath(std::string(Programs) + "\\Notepad.lnk");
    taught.Abbreviation = "np";
    store.SetAbbrev(taught);

    TWatchedFolder programs(store);
    programs.LoadSpecialFolder(platform::CsidlPrograms);
    TRecentFilesFolder recent(store);
    EXPECT_EQ(Listed(programs, recent), (std::vector<std::string>{"Notepad (recent)", "Notepad - np"}));
}

TEST_F(RecentFilesTest, OnlyTheFirstOfTwoRecentDocumentsWithOneNameIsListed)
{
    AddRecent("a\\Plan.lnk");
    AddRecent("b\\Plan.lnk");
    TWatchedFolder programs(store);
    TRecentFilesFolder recent(store);
    Listed(programs, recent);
    ASSERT_EQ(items.Count(), 1u);
    EXPECT_EQ(items.Entry(0), recent.Entries[0].get());
    EXPECT_EQ(items.Entry(0)->Path, std::string(Recent) + "\\a\\Plan.lnk");
}

TEST_F(RecentFilesTest, UnresolvableRecentFolderGivesAnEmptyUnwatchedSource)
{
    sim.specialFolders.Paths.erase(platform::CsidlRecent);
    TRecentFilesFolder recent(store);
    EXPECT_TRUE(recent.Entries.empty());
    EXPECT_FALSE(recent.IsWatching());
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
}

TEST_F(RecentFilesTest, WatchFailureDoesNotEscapeConstruction)
{
    AddRecent("x.lnk");
    sim.files.DenyWatch("C:\\Profile");
    std::unique_ptr<TRecentFilesFolder> recent;
    ASSERT_NO_THROW(recent = std::make_unique<TRecentFilesFolder>(store));
    EXPECT_EQ(recent->Entries.size(), 1u);
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Invalid folder."}));
}

} // namespace
