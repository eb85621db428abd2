#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "catalogue/SortedItems.h"
#include "catalogue/uCPLProgramItem.h"
#include "catalogue/uWatchedFolder.h"
#include "common/Exception.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::win32::PumpMessagesUntil;

class FolderSourcesTest : public Win32Test {
protected:
    void Folder(const std::string& name, DWORD attributes = 0)
    {
        CreateDirectoryA(Scratch(name).c_str(), nullptr);
        if (attributes != 0)
            SetFileAttributesA(Scratch(name).c_str(), attributes);
    }
    void File(const std::string& name, DWORD attributes = 0)
    {
        WriteFile(Scratch(name), "x");
        if (attributes != 0)
            SetFileAttributesA(Scratch(name).c_str(), attributes);
    }
    // The walk runs on a thread of its own; its result arrives through the message loop.
    static void WaitForWalk(const TWatchedFolder& source)
    {
        ASSERT_TRUE(PumpMessagesUntil([&] { return !source.IsWalking(); }, 30000));
    }
    static std::vector<std::string> Paths(const TWatchedFolder& source)
    {
        std::vector<std::string> paths;
        for (const auto& entry : source.Entries)
            paths.push_back(entry->Path);
        return paths;
    }

    TAbbrevInfos store;
};

TEST_F(FolderSourcesTest, EnumerationMatchesAnyCaseAndReportsAttributes)
{
    Folder("M");
    File("M\\A.lnk");
    File("M\\b.LNK", FILE_ATTRIBUTE_HIDDEN);
    File("M\\E.pif");
    Folder("M\\Sys.lnk", FILE_ATTRIBUTE_SYSTEM);

    auto found = platform::Directories().Enumerate(Scratch("M\\*.lnk"));
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Name, "A.lnk");
    EXPECT_TRUE(found[1].IsFolder());
    EXPECT_EQ(found[2].Name, "b.LNK");
    EXPECT_TRUE(found[2].IsHidden());
    EXPECT_EQ(platform::Directories().Enumerate(Scratch("M\\*.*")).size(), 4u); // no "." or ".."
    EXPECT_TRUE(platform::Directories().Enumerate(Scratch("Missing\\*.*")).empty());
}

TEST_F(FolderSourcesTest, SpecialFoldersResolveWithoutCreating)
{
    EXPECT_FALSE(platform::SpecialFolders().Path(platform::CsidlPrograms).empty());
    EXPECT_FALSE(platform::SpecialFolders().Path(platform::CsidlRecent).empty());
    EXPECT_TRUE(platform::SpecialFolders().Path(0x7e).empty()); // no such id
}

TEST_F(FolderSourcesTest, ScansARealTreeWithHiddenAndSystemFolders)
{
    Folder("Menu");
    File("Menu\\A.lnk");
    File("Menu\\B.LNK");
    File("Menu\\C.Lnk");
    File("Menu\\D.url");
    File("Menu\\E.pif");
    File("Menu\\Hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
    Folder("Menu\\Games");
    File("Menu\\Games\\G.URL");
    File("Menu\\Games\\G.lnk");
    Folder("Menu\\Sys", FILE_ATTRIBUTE_SYSTEM);
    File("Menu\\Sys\\S.lnk");
    Folder("Menu\\ReadOnly", FILE_ATTRIBUTE_READONLY);
    File("Menu\\ReadOnly\\R.lnk");
    Folder("Menu\\Secret");
    File("Menu\\Secret\\Never.lnk");
    SetFileAttributesA(Scratch("Menu\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);

    TWatchedFolder source(store);
    source.ScanFolder(Scratch("Menu"));
    WaitForWalk(source);

    std::vector<std::string> paths = Paths(source);
    // The file system's own order within a folder; .LNK of the whole tree before .URL.
    const auto firstUrl = std::find_if(paths.begin(), paths.end(), [](const std::string& path) {
        return path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".url") == 0;
    });
    EXPECT_EQ(std::distance(firstUrl, paths.end()), 2);
    for (auto lnk = paths.begin(); lnk != firstUrl; ++lnk)
        EXPECT_EQ(_stricmp(lnk->c_str() + lnk->size() - 4, ".lnk"), 0) << *lnk;
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{
                         Scratch("Menu\\A.lnk"), Scratch("Menu\\B.LNK"), Scratch("Menu\\C.Lnk"),
                         Scratch("Menu\\D.url"), Scratch("Menu\\Games\\G.URL"), Scratch("Menu\\Games\\G.lnk"),
                         Scratch("Menu\\Hidden.lnk"), Scratch("Menu\\ReadOnly\\R.lnk"), Scratch("Menu\\Sys\\S.lnk")}));
    EXPECT_TRUE(source.IsWatching());
}

TEST_F(FolderSourcesTest, CreatedFileReachesTheSourceThroughNotificationAndTimer)
{
    Folder("Start Menu");
    Folder("Start Menu\\Programs");
    Folder("Start Menu\\Programs\\Tools");
    File("Start Menu\\Programs\\Tools\\Old.lnk");

    TWatchedFolder source(store);
    source.ScanFolder(Scratch("Start Menu\\Programs"));
    WaitForWalk(source);
    ASSERT_EQ(source.Entries.size(), 1u);
    int changes = 0;
    source.OnChange = [&](TShortcutDataSource&) { ++changes; };

    const ULONGLONG created = GetTickCount64();
    File("Start Menu\\Programs\\Tools\\New.lnk");
    ASSERT_TRUE(PumpMessagesUntil([&] { return changes > 0; }, 15000));
    // The settle timer holds the rescan back for two seconds after the change.
    EXPECT_GE(GetTickCount64() - created, 1900u);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(source.Entries.size(), 2u);
    TSortedItems items;
    source.FillList(items);
    EXPECT_TRUE(items.ContainsText("New"));
}

// Every change seen so far, as "kind path" with the action folded away: Wine and Windows
// may split a report differently, but never change what it names.
struct SeenChanges {
    void operator()(const platform::FolderChanges& changes)
    {
        lost = lost || changes.Lost;
        for (const auto& change : changes.Changes)
            names.push_back(std::string(change.IsFolder ? "folder " : "file ") + change.Path);
    }
    bool Saw(const std::string& name) const { return std::find(names.begin(), names.end(), name) != names.end(); }
    std::vector<std::string> names;
    bool lost = false;
};

TEST_F(FolderSourcesTest, WatchesReportNamesAndKindsWithinTheirScope)
{
    Folder("P");
    Folder("P\\W");
    Folder("P\\W\\Sub");
    File("P\\W\\existing.txt");
    SeenChanges tree, names;
    const auto treeWatch = platform::FolderWatches().WatchTree(Scratch("P\\W"), std::ref(tree));
    const auto nameWatch = platform::FolderWatches().WatchFolderNames(Scratch("P"), std::ref(names));
    platform::Directories().Enumerate(Scratch("P\\W\\Sub\\*.*")); // Wine watches a sub-folder once it is listed

    WriteFile(Scratch("P\\W\\existing.txt"), "changed contents"); // contents: not reported
    File("P\\beside.txt");                                       // a file beside: neither watch
    File("P\\W\\Sub\\Deep.lnk");
    Folder("P\\W\\New");
    MoveFileA(Scratch("P\\W\\existing.txt").c_str(), Scratch("P\\W\\renamed.txt").c_str());
    Folder("P\\Other");
    // Wine may report the changes in more than one batch: wait for every one expected.
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            return tree.Saw("file renamed.txt") && tree.Saw("file Sub\\Deep.lnk") && tree.Saw("folder New") &&
                   names.Saw("folder Other");
        },
        10000));
    EXPECT_TRUE(tree.Saw("file Sub\\Deep.lnk"));
    EXPECT_TRUE(tree.Saw("folder New"));
    EXPECT_TRUE(tree.Saw("file existing.txt")); // the rename's old name
    EXPECT_FALSE(tree.Saw("file beside.txt"));
    EXPECT_EQ(std::count(tree.names.begin(), tree.names.end(), "file existing.txt"), 1) << "contents are no change";
    // The names watch: folders directly in its folder only.
    EXPECT_FALSE(names.Saw("file beside.txt"));
    EXPECT_FALSE(names.Saw("folder W\\New"));
    EXPECT_FALSE(tree.lost);

    // The watched folder itself removed: the parent's names watch sees it go.
    RemoveDirectoryA(Scratch("P\\Other").c_str());
    ASSERT_TRUE(PumpMessagesUntil([&] { return std::count(names.names.begin(), names.names.end(), "folder Other") == 2; }, 10000));
}

TEST_F(FolderSourcesTest, MissingFolderCannotBeWatched)
{
    try {
        platform::FolderWatches().WatchTree(Scratch("Nowhere"), [](const platform::FolderChanges&) {});
        FAIL() << "a missing folder was watched";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid folder");
    }
}

TEST_F(FolderSourcesTest, OneShotTimerTicksOnceFromTheMessageLoop)
{
    int ticks = 0;
    const auto timer = platform::Timers().CreateTimer(100, [&] { ++ticks; });
    timer->Start();
    EXPECT_EQ(ticks, 0); // never from inside Start
    EXPECT_TRUE(PumpMessagesUntil([&] { return ticks > 0; }, 5000));
    PumpMessagesUntil([] { return false; }, 400);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer->Running());
}

TEST_F(FolderSourcesTest, ControlPanelSourceFindsTheAppletsOfTheSystemModules)
{
    TCplFolder source(store);
    TSortedItems items;
    source.FillList(items);
    ASSERT_FALSE(source.Entries.empty());
    EXPECT_EQ(items.Count(), source.Entries.size());
    std::vector<std::string> modules;
    for (const auto& entry : source.Entries) {
        EXPECT_FALSE(entry->AppletName.empty());
        EXPECT_EQ(entry->Path, entry->AppletName);
        const std::string file = entry->CplFile.substr(entry->CplFile.find_last_of('\\') + 1);
        modules.push_back(file);
    }
    const std::string system = platform::Modules().SystemDirectory();
    EXPECT_EQ(_stricmp(source.Entries[0]->CplFile.substr(0, system.size()).c_str(), system.c_str()), 0);
    const auto has = [&](const char* name) {
        return std::any_of(modules.begin(), modules.end(),
                           [&](const std::string& file) { return _stricmp(file.c_str(), name) == 0; });
    };
    EXPECT_TRUE(has("appwiz.cpl"));
    EXPECT_TRUE(has("joy.cpl"));
    EXPECT_TRUE(has("inetcpl.cpl"));
}

TEST_F(FolderSourcesTest, ModuleWithoutControlPanelEntryGivesNothing)
{
    std::vector<std::unique_ptr<TCPLItem>> list;
    LoadCplApplets(platform::Modules().SystemDirectory() + "\\kernel32.dll", store, list);
    LoadCplApplets(Scratch("missing.cpl"), store, list);
    EXPECT_TRUE(list.empty());
}

} // namespace
