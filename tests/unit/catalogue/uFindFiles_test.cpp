#include "catalogue/uFindFiles.h"

#include <string>
#include <vector>

#include "SimulatorTest.h"

namespace {

using platform::headless::AttrHidden;
using platform::headless::AttrReadOnly;
using platform::headless::AttrSystem;

TEST(JoinPathTest, AddsOneBackslashUnlessFolderIsEmpty)
{
    EXPECT_EQ(JoinPath("", "*.LNK"), "");
    EXPECT_EQ(JoinPath("C:\\X", "*.LNK"), "C:\\X\\*.LNK");
    EXPECT_EQ(JoinPath("C:\\X\\", "*.LNK"), "C:\\X\\*.LNK");
    EXPECT_EQ(JoinPath("C:\\", "a"), "C:\\a");
}

class FindFilesTest : public SimulatorTest {
protected:
    std::vector<std::string> Find(const std::string& mask, bool descend)
    {
        std::vector<std::string> found;
        TRecursiveFindFiles finder;
        finder.OnFile = [&](TRecursiveFindFiles& sender, const std::string& path) {
            EXPECT_EQ(&sender, &finder);
            found.push_back(path);
        };
        finder.FindFiles(mask, descend);
        return found;
    }
};

TEST_F(FindFilesTest, OwnMatchesFirstThenVisibleSubFoldersDepthFirst)
{
    sim.files.AddFile("C:\\M\\z.lnk");
    sim.files.AddFile("C:\\M\\a\\deep\\d.lnk");
    sim.files.AddFile("C:\\M\\a\\a.lnk");
    sim.files.AddFolder("C:\\M\\b", AttrSystem);
    sim.files.AddFile("C:\\M\\b\\b.lnk");
    sim.files.AddFolder("C:\\M\\c", AttrReadOnly);
    sim.files.AddFile("C:\\M\\c\\c.lnk");
    sim.files.AddFolder("C:\\M\\h", AttrHidden);
    sim.files.AddFile("C:\\M\\h\\hidden-folder.lnk");
    sim.files.AddFile("C:\\M\\plain.txt");

    EXPECT_EQ(Find("C:\\M\\*.lnk", true),
              (std::vector<std::string>{"C:\\M\\z.lnk", "C:\\M\\a\\a.lnk", "C:\\M\\a\\deep\\d.lnk",
                                        "C:\\M\\b\\b.lnk", "C:\\M\\c\\c.lnk"}));
    EXPECT_EQ(Find("C:\\M\\*.lnk", false), (std::vector<std::string>{"C:\\M\\z.lnk"}));
}

TEST_F(FindFilesTest, UnsetHandlerPassesMatchesOver)
{
    sim.files.AddFile("C:\\M\\a.lnk");
    TRecursiveFindFiles finder;
    EXPECT_NO_THROW(finder.FindFiles("C:\\M\\*.lnk", true));
}

TEST_F(FindFilesTest, FolderThatCannotBeListedIsPassedOver)
{
    sim.files.AddFile("C:\\M\\a\\a.lnk");
    sim.files.AddFile("C:\\M\\b\\b.lnk");
    sim.files.DenyListing("C:\\M\\a");
    EXPECT_EQ(Find("C:\\M\\*.lnk", true), (std::vector<std::string>{"C:\\M\\b\\b.lnk"}));
    EXPECT_TRUE(Find("C:\\Missing\\*.lnk", true).empty());
}

TEST_F(FindFilesTest, FolderVanishingMidScanEndsThatBranchOnly)
{
    sim.files.AddFile("C:\\M\\a\\a.lnk");
    sim.files.AddFile("C:\\M\\a\\sub\\s.lnk");
    sim.files.AddFile("C:\\M\\b\\b.lnk");
    // Gone after its parent listed it, before it is searched itself.
    sim.files.BeforeEnumerate = [&](const std::string& mask) {
        if (mask == "C:\\M\\a\\*.lnk")
            sim.files.Remove("C:\\M\\a");
    };
    EXPECT_EQ(Find("C:\\M\\*.lnk", true), (std::vector<std::string>{"C:\\M\\b\\b.lnk"}));
}

} // namespace
