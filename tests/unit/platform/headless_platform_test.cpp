#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "common/Exception.h"
#include "platform/ErrorReport.h"
#include "platform/headless/Wildcard.h"

namespace {

using platform::headless::AttrHidden;
using platform::headless::AttrReadOnly;
using platform::headless::AttrSystem;
using platform::headless::MatchesWildcard;

TEST(WildcardTest, MatchesLikeWindows)
{
    EXPECT_TRUE(MatchesWildcard("A.lnk", "*.LNK"));
    EXPECT_TRUE(MatchesWildcard("c.Lnk", "*.lnk"));
    EXPECT_TRUE(MatchesWildcard(".lnk", "*.LNK"));
    EXPECT_TRUE(MatchesWildcard("a.b.lnk", "*.LNK"));
    EXPECT_FALSE(MatchesWildcard("E.pif", "*.LNK"));
    EXPECT_FALSE(MatchesWildcard("x.lnk.txt", "*.LNK"));
    EXPECT_FALSE(MatchesWildcard("lnk", "*.LNK"));
    EXPECT_TRUE(MatchesWildcard("noext", "*.*"));
    EXPECT_TRUE(MatchesWildcard("ab", "a?"));
    EXPECT_FALSE(MatchesWildcard("a", "a?"));
    EXPECT_TRUE(MatchesWildcard("xaaab", "*a*b"));
    EXPECT_FALSE(MatchesWildcard(std::string(200, 'a'), std::string(20, '*') + "b"));
}

class DirectoriesTest : public SimulatorTest {};

TEST_F(DirectoriesTest, EnumerationMatchesAnyCaseAndAdmitsEveryAttribute)
{
    sim.files.AddFile("C:\\M\\A.lnk");
    sim.files.AddFile("C:\\M\\h.LNK", {}, AttrHidden);
    sim.files.AddFile("C:\\M\\E.pif");
    sim.files.AddFolder("C:\\M\\Sub.lnk", AttrSystem | AttrReadOnly);

    std::vector<std::string> names;
    for (const auto& entry : sim.files.Enumerate("c:\\m\\*.lnk"))
        names.push_back(entry.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"A.lnk", "h.LNK", "Sub.lnk"}));

    const auto all = sim.files.Enumerate("C:\\M\\*.*");
    ASSERT_EQ(all.size(), 4u);
    EXPECT_TRUE(all[3].IsFolder());
    EXPECT_TRUE(all[2].IsHidden());
}

TEST_F(DirectoriesTest, FolderThatCannotBeListedGivesNothing)
{
    sim.files.AddFile("C:\\M\\A.lnk");
    sim.files.DenyListing("C:\\M");
    EXPECT_TRUE(sim.files.Enumerate("C:\\M\\*.*").empty());
    EXPECT_TRUE(sim.files.Enumerate("C:\\Missing\\*.*").empty());
    EXPECT_TRUE(sim.files.Enumerate("C:\\M\\A.lnk\\*.*").empty());
}

// Each report as "action kind path", in order; "lost" for lost changes.
std::vector<std::string> Described(const std::vector<platform::FolderChanges>& reports)
{
    using Action = platform::FolderChange::Action;
    std::vector<std::string> lines;
    for (const auto& report : reports) {
        if (report.Lost)
            lines.push_back("lost");
        for (const auto& change : report.Changes) {
            const char* action = change.What == Action::Added     ? "added"
                                 : change.What == Action::Removed ? "removed"
                                 : change.What == Action::RenamedFrom ? "renamed-from"
                                                                      : "renamed-to";
            lines.push_back(std::string(action) + (change.IsFolder ? " folder " : " file ") + change.Path);
        }
    }
    return lines;
}

TEST_F(DirectoriesTest, WatchesReportNamedChangesWithinTheirScopeOnly)
{
    sim.files.AddFile("C:\\P\\Start\\Programs\\A.lnk", "one");
    sim.files.AddFolder("C:\\Other");
    std::vector<platform::FolderChanges> tree, names;
    const auto treeWatch = sim.files.WatchTree("C:\\P\\Start\\", [&](const auto& changes) { tree.push_back(changes); });
    const auto nameWatch = sim.files.WatchFolderNames("C:\\P", [&](const auto& changes) { names.push_back(changes); });

    sim.files.AddFile("C:\\P\\Start\\Programs\\A.lnk", "two"); // contents only
    sim.files.AddFile("C:\\P\\Start\\Programs\\A.lnk", "two", AttrHidden); // attributes only
    sim.files.AddFile("C:\\Other\\B.lnk");
    sim.files.AddFile("C:\\P\\Start.txt"); // beside the tree, and a file: neither watch
    EXPECT_TRUE(tree.empty());
    EXPECT_TRUE(names.empty());

    sim.files.AddFile("C:\\P\\Start\\Programs\\B.lnk");
    sim.files.Rename("C:\\P\\Start\\Programs\\B.lnk", "C:\\P\\Start\\Programs\\C.lnk");
    sim.files.Remove("C:\\P\\Start\\Programs\\C.lnk");
    sim.files.AddFolder("C:\\P\\Start\\New\\Deep"); // two folders made
    sim.files.Rename("C:\\P\\Start\\New", "C:\\P\\Elsewhere"); // leaves the tree
    sim.files.LoseChanges("C:\\P\\Start\\Programs");
    EXPECT_EQ(Described(tree), (std::vector<std::string>{
                                   "added file Programs\\B.lnk", "renamed-from file Programs\\B.lnk",
                                   "renamed-to file Programs\\C.lnk", "removed file Programs\\C.lnk",
                                   "added folder New", "added folder New\\Deep", "renamed-from folder New", "lost"}));
    EXPECT_EQ(tree[1].Changes.size(), 2u) << "a rename's two names arrive in one report";
    // The names watch sees folders directly in its folder only.
    EXPECT_EQ(Described(names), (std::vector<std::string>{"renamed-to folder Elsewhere"}));
    sim.files.Remove("C:\\P\\Start");
    EXPECT_EQ(Described(names).back(), "removed folder Start");
}

TEST_F(DirectoriesTest, WatchEndsWithItsHandleAndMissingFolderIsInvalid)
{
    sim.files.AddFolder("C:\\W");
    int reports = 0;
    auto watch = sim.files.WatchTree("C:\\W", [&](const auto&) { ++reports; });
    EXPECT_EQ(sim.files.ActiveWatches(), 1u);
    watch.reset();
    sim.files.AddFile("C:\\W\\x.lnk");
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(sim.files.ActiveWatches(), 0u);

    for (const bool tree : {true, false}) {
        try {
            if (tree)
                sim.files.WatchTree("C:\\Nowhere", [](const auto&) {});
            else
                sim.files.WatchFolderNames("C:\\Nowhere", [](const auto&) {});
            FAIL() << "a missing folder was watched";
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Invalid folder");
        }
    }
}

class ClockTest : public SimulatorTest {};

TEST_F(ClockTest, OneShotTimersFireInDueOrderAndRestartFromNow)
{
    std::vector<std::string> fired;
    auto a = sim.clock.CreateTimer(300, [&] { fired.push_back("a@" + std::to_string(sim.clock.Now())); });
    auto b = sim.clock.CreateTimer(100, [&] { fired.push_back("b@" + std::to_string(sim.clock.Now())); });
    a->Start();
    b->Start();
    sim.clock.Advance(50);
    b->Start(); // restart: due at 150
    EXPECT_TRUE(b->Running());
    sim.clock.Advance(1000);
    EXPECT_EQ(fired, (std::vector<std::string>{"b@150", "a@300"}));
    EXPECT_FALSE(a->Running());
    EXPECT_EQ(sim.clock.Now(), 1050u);

    a->Start();
    a->Stop();
    sim.clock.Advance(1000);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(ClockTest, HandlerMayStartTimersAndDestroyItsOwn)
{
    std::vector<std::uint64_t> ticks;
    std::unique_ptr<platform::ITimer> chain;
    chain = sim.clock.CreateTimer(100, [&] {
        ticks.push_back(sim.clock.Now());
        if (ticks.size() < 3)
            chain->Start();
        else
            chain.reset();
    });
    chain->Start();
    sim.clock.Advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 200, 300}));
    EXPECT_EQ(chain, nullptr);
}

TEST_F(ClockTest, ErrorLeavingATickIsReportedAndTimeGoesOn)
{
    auto failing = sim.clock.CreateTimer(10, [] { throw Exception("Disk full"); });
    failing->Start();
    sim.clock.Advance(20);
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Disk full."}));
}

TEST(ErrorReportTest, FullStopAddedAfterCharactersBeyondIt)
{
    EXPECT_EQ(platform::ErrorReportText("Invalid folder"), "Invalid folder.");
    EXPECT_EQ(platform::ErrorReportText("Done."), "Done.");
    EXPECT_EQ(platform::ErrorReportText("Why?"), "Why?.");
    EXPECT_EQ(platform::ErrorReportText("a-"), "a-");
    EXPECT_EQ(platform::ErrorReportText(""), "");
}

} // namespace
