// Rescans in proportion to the change, and walks off the user-interface thread.
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/uWatchedFolder.h"
#include "matching/abbreviations.h"

namespace {

using platform::headless::AttrHidden;
using platform::headless::AttrSystem;

constexpr const char* Programs = "C:\\Profile\\Start Menu\\Programs";

std::string In(const std::string& name)
{
    return std::string(Programs) + "\\" + name;
}

class RescanTest : public SimulatorTest {
protected:
    // The simulator installed now (a test may install a fresh one).
    static platform::headless::Simulator& Sim() { return static_cast<platform::headless::Simulator&>(platform::Current()); }
    static std::vector<std::string> Paths(const TWatchedFolder& source)
    {
        std::vector<std::string> paths;
        for (const auto& entry : source.Entries)
            paths.push_back(entry->Path);
        return paths;
    }
    // What a source made now, walking the whole tree, finds.
    std::vector<std::string> FullScan()
    {
        TWatchedFolder fresh(store);
        fresh.ScanFolder(Programs);
        Sim().background.RunPending();
        return Paths(fresh);
    }
    std::map<std::string, const TProgramInfo*> Identities() const
    {
        std::map<std::string, const TProgramInfo*> identities;
        for (const auto& entry : source->Entries)
            identities[entry->Path] = entry.get();
        return identities;
    }
    void Start()
    {
        source = std::make_unique<TWatchedFolder>(store);
        source->OnChange = [this](TShortcutDataSource&) { ++changes; };
        source->ScanFolder(Programs);
        if (!source->IsWalking())
            changes = 0; // counts what follows the first walk, unless the test holds it
    }

    TAbbrevInfos store;
    std::unique_ptr<TWatchedFolder> source;
    int changes = 0;
};

// Random creations, deletions and renames of shortcuts, other files and folders (hidden
// ones too), with lost changes now and then: after each settle the entries are exactly
// what a full walk gives, in the same order, and every entry whose file is still there
// is the same object as before.
TEST_F(RescanTest, IncrementalRescansGiveWhatAFullWalkGivesAndKeepEntries)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        platform::headless::InstallSimulator();
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
        std::vector<std::string> folders{""};
        std::vector<std::string> files;
        const char* names[] = {"Notepad.lnk", "CALC.LNK", "site.Url", "readme.txt", "tool.exe", "Word.lnk", "x.lnk.tmp"};
        int serial = 0;
        const auto newName = [&](const char* base) { return std::to_string(serial++) + base; };
        const auto add = [&] {
            const std::string folder = folders[pick(folders.size())];
            const std::string prefix = folder.empty() ? "" : folder + "\\";
            switch (pick(4)) {
            case 0: {
                const std::string path = prefix + newName(pick(5) == 0 ? "dir.lnk" : "dir");
                Sim().files.AddFolder(In(path), pick(4) == 0 ? unsigned{AttrHidden} : (pick(3) == 0 ? unsigned{AttrSystem} : 0u));
                folders.push_back(path);
                break;
            }
            default: {
                const std::string path = prefix + newName(names[pick(std::size(names))]);
                Sim().files.AddFile(In(path), {}, pick(6) == 0 ? unsigned{AttrHidden} : 0u);
                files.push_back(path);
            }
            }
        };
        for (int i = 0; i < 40; ++i)
            add();
        Start();
        ASSERT_EQ(Paths(*source), FullScan()) << "seed " << seed;

        for (int round = 0; round < 30; ++round) {
            const auto before = Identities();
            for (int op = 0, ops = 1 + static_cast<int>(pick(6)); op < ops; ++op) {
                const std::size_t what = pick(10);
                if (what < 4 || files.empty() || folders.size() < 2) {
                    add();
                } else if (what < 6) {
                    const std::size_t n = pick(files.size());
                    Sim().files.Remove(In(files[n]));
                    files.erase(files.begin() + static_cast<std::ptrdiff_t>(n));
                } else if (what < 8) {
                    // A file renamed, within its folder or into another.
                    const std::size_t n = pick(files.size());
                    const std::string folder = folders[pick(folders.size())];
                    const std::string to = (folder.empty() ? "" : folder + "\\") + newName(names[pick(std::size(names))]);
                    if (Sim().files.Rename(In(files[n]), In(to)))
                        files[n] = to;
                } else if (what < 9) {
                    // A folder renamed (never into itself), or removed with all it holds.
                    const std::size_t n = 1 + pick(folders.size() - 1);
                    const std::string from = folders[n];
                    const std::string to = newName("moved");
                    const bool remove = pick(2) == 0;
                    if (remove ? !Sim().files.Remove(In(from)) : !Sim().files.Rename(In(from), In(to)))
                        continue;
                    const auto move = [&](std::vector<std::string>& paths) {
                        std::vector<std::string> kept;
                        for (const std::string& path : paths) {
                            if (path == from || path.rfind(from + "\\", 0) == 0) {
                                if (!remove)
                                    kept.push_back(to + path.substr(from.size()));
                            } else {
                                kept.push_back(path);
                            }
                        }
                        paths = kept;
                    };
                    move(folders);
                    move(files);
                } else {
                    Sim().files.LoseChanges(In(folders[pick(folders.size())]));
                }
            }
            Sim().clock.Advance(2000);
            ASSERT_FALSE(source->IsWalking());
            ASSERT_EQ(Paths(*source), FullScan()) << "seed " << seed << ", round " << round;
            for (const auto& entry : source->Entries) {
                const auto old = before.find(entry->Path);
                if (old != before.end()) {
                    ASSERT_EQ(old->second, entry.get()) << entry->Path << " was made anew";
                }
            }
        }
        source.reset();
    }
}

TEST_F(RescanTest, FolderRenamedOrDeletedWithShortcutsInsideListsOnlyWhatMoved)
{
    for (int i = 0; i < 20; ++i)
        Sim().files.AddFile(In("Other " + std::to_string(i) + "\\Keep.lnk"));
    Sim().files.AddFile(In("Tools\\a.lnk"));
    Sim().files.AddFile(In("Tools\\b.url"));
    Sim().files.AddFile(In("Tools\\Sub\\c.lnk"));
    Start();
    const TProgramInfo* kept = Identities().at(In("Other 7\\Keep.lnk"));

    std::size_t before = Sim().files.Enumerations();
    Sim().files.Rename(In("Tools"), In("Apps"));
    Sim().clock.Advance(2000);
    // The parent, then the renamed folder's tree: Apps and Apps\Sub.
    EXPECT_EQ(Sim().files.Enumerations() - before, 3u);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Paths(*source), FullScan());
    EXPECT_EQ(Identities().at(In("Other 7\\Keep.lnk")), kept);
    EXPECT_EQ(Paths(*source).back(), In("Apps\\b.url"));

    before = Sim().files.Enumerations();
    Sim().files.Remove(In("Apps"));
    Sim().clock.Advance(2000);
    EXPECT_EQ(Sim().files.Enumerations() - before, 1u);
    EXPECT_EQ(source->Entries.size(), 20u);
    EXPECT_EQ(changes, 2);
}

TEST_F(RescanTest, TheWatchedFolderItselfRemovedAndCreatedAgain)
{
    Sim().files.AddFile(In("A.lnk"));
    Start();
    Sim().files.Remove(Programs);
    Sim().clock.Advance(2000);
    EXPECT_TRUE(source->Entries.empty());
    EXPECT_EQ(changes, 1);

    Sim().files.AddFile(In("Again\\B.lnk"));
    Sim().clock.Advance(2000);
    EXPECT_EQ(Paths(*source), std::vector<std::string>{In("Again\\B.lnk")});
    // The new folder is watched in its turn: a shortcut made in it arrives.
    Sim().files.AddFile(In("Again\\C.lnk"));
    Sim().clock.Advance(2000);
    EXPECT_EQ(source->Entries.size(), 2u);
    // Renamed away and back.
    Sim().files.Rename(Programs, "C:\\Profile\\Start Menu\\Old");
    Sim().clock.Advance(2000);
    EXPECT_TRUE(source->Entries.empty());
    Sim().files.Rename("C:\\Profile\\Start Menu\\Old", Programs);
    Sim().clock.Advance(2000);
    EXPECT_EQ(source->Entries.size(), 2u);
    EXPECT_EQ(changes, 5);
}

TEST_F(RescanTest, LostChangesFallBackToAFullWalkThatKeepsTheEntries)
{
    Sim().files.AddFile(In("A.lnk"));
    Sim().files.AddFile(In("Deep\\Er\\B.lnk"));
    Start();
    const auto before = Identities();
    const std::size_t listed = Sim().files.Enumerations();
    Sim().files.LoseChanges(In("Deep"));
    Sim().clock.Advance(2000);
    EXPECT_EQ(Sim().files.Enumerations() - listed, 3u) << "every folder of the tree";
    EXPECT_EQ(Identities(), before);
    EXPECT_EQ(changes, 1);
}

TEST_F(RescanTest, ABurstOfTenThousandChangesGivesOneUpdate)
{
    Sim().files.AddFolder(Programs);
    Start();
    const std::size_t listed = Sim().files.Enumerations();
    for (int i = 0; i < 10000; ++i) {
        Sim().files.AddFile(In("Setup\\Item " + std::to_string(i) + (i % 2 ? ".lnk" : ".tmp")));
        if (i % 1000 == 999)
            Sim().clock.Advance(100);
    }
    Sim().clock.Advance(2000);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(source->Entries.size(), 5000u);
    EXPECT_EQ(Sim().files.Enumerations() - listed, 2u); // the folder, then Setup
    Sim().clock.Advance(60000);
    EXPECT_EQ(changes, 1);
}

// The walk runs apart from the user-interface thread: here the simulator holds it until
// the test lets it run, as if the other thread were slow.
class HeldWalkTest : public RescanTest {
protected:
    HeldWalkTest() { Sim().background.Hold(); }
};

TEST_F(HeldWalkTest, EntriesArriveWhenTheWalkEndsAndAShortcutMadeMeanwhileIsNotLost)
{
    Sim().files.AddFile(In("A.lnk"));
    Sim().files.AddFile(In("Tools\\B.lnk"));
    Start();
    EXPECT_TRUE(source->IsWalking());
    EXPECT_TRUE(source->Entries.empty());
    // Made while the walk runs, in a folder it has listed already, and in a new folder.
    Sim().files.BeforeEnumerate = [this](const std::string& mask) {
        if (mask == In("Tools\\*.*")) {
            Sim().files.BeforeEnumerate = nullptr;
            Sim().files.AddFile(In("Late.lnk"));
            Sim().files.AddFile(In("New\\Later.url"));
        }
    };
    EXPECT_EQ(Sim().background.RunPending(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Paths(*source), (std::vector<std::string>{In("A.lnk"), In("Tools\\B.lnk")}));
    Sim().clock.Advance(2000);
    Sim().background.RunPending();
    EXPECT_EQ(Paths(*source), FullScan());
    EXPECT_EQ(source->Entries.size(), 4u);
    EXPECT_EQ(changes, 2);
}

// Run under AddressSanitizer: an abandoned walk's result never reaches the freed source.
TEST_F(HeldWalkTest, FreeingTheSourceAbandonsItsWalkBeforeOrDuringTheListing)
{
    Sim().files.AddFile(In("A.lnk"));
    Sim().files.AddFile(In("Tools\\B.lnk"));
    Start();
    source.reset();
    EXPECT_EQ(Sim().background.Queued(), 0u);
    EXPECT_EQ(Sim().background.RunPending(), 0);

    Start();
    Sim().files.BeforeEnumerate = [this](const std::string& mask) {
        if (mask == In("Tools\\*.*"))
            source.reset(); // freed while its walk lists the tree
    };
    EXPECT_EQ(Sim().background.RunPending(), 0);
    EXPECT_EQ(source, nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Sim().files.ActiveWatches(), 0u);
}

} // namespace
