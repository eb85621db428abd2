#include "catalogue/uCPLProgramItem.h"

#include <string>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/SortedItems.h"
#include "common/Exception.h"
#include "matching/abbreviations.h"

namespace {

using platform::CplInfo;
using platform::headless::AttrHidden;
using platform::headless::SimulatedApplet;
using platform::headless::SimulatedModule;

constexpr const char* System = "C:\\windows\\system32";

SimulatedApplet Applet(std::int32_t nameId, std::int32_t result = 0)
{
    CplInfo info;
    info.IdIcon = 1;
    info.IdName = nameId;
    info.IdInfo = nameId + 1;
    return {info, result};
}

class CplFolderTest : public SimulatorTest {
protected:
    // A module file where the search finds it, and the module behind it.
    void Install(const std::string& path, SimulatedModule module)
    {
        sim.files.AddFile(path);
        sim.modules.AddModule(path, std::move(module));
    }

    std::vector<std::string> Fill()
    {
        items.Clear();
        source.FillList(items);
        std::vector<std::string> listed;
        for (const auto& entry : source.Entries)
            listed.push_back(entry->CplFile + "," + entry->AppletName);
        return listed;
    }

    TAbbrevInfos store;
    TCplFolder source{store};
    TSortedItems items;
};

TEST_F(CplFolderTest, ModuleWithThreeAppletsGivesThreeEntriesInIndexOrder)
{
    SimulatedModule module;
    module.Applets = {Applet(10, 7), Applet(20), Applet(30)};
    module.Strings = {{10, "Mouse"}, {11, "Pointer"}, {20, "Keyboard"}, {30, "Runtime 1.4"}};
    Install("C:\\windows\\system32\\main.cpl", module);

    const std::string path = "C:\\windows\\system32\\main.cpl";
    EXPECT_EQ(Fill(), (std::vector<std::string>{path + ",Mouse", path + ",Keyboard", path + ",Runtime 1.4"}));
    EXPECT_EQ(source.Entries[2]->Name, "Runtime 1");
    EXPECT_EQ(source.Entries[2]->Path, "Runtime 1.4");
    EXPECT_EQ(items.Count(), 3u);
    EXPECT_EQ(sim.modules.DebugLines, (std::vector<std::string>{"7 Mouse", "0 Keyboard", "0 Runtime 1.4"}));

    // Only the three messages, and the module is unloaded.
    std::vector<std::uint32_t> messages;
    for (const auto& call : sim.modules.Calls)
        messages.push_back(call.Message);
    EXPECT_EQ(messages, (std::vector<std::uint32_t>{1, 2, 3, 3, 3}));
    EXPECT_EQ(sim.modules.Loads, 1);
    EXPECT_EQ(sim.modules.Unloads, 1);

    source.Entries[0]->Launch();
    ASSERT_EQ(sim.shell.AppletsRun.size(), 1u);
    EXPECT_EQ(sim.shell.AppletsRun[0].CommandLine, path + ",Mouse");
}

TEST_F(CplFolderTest, ModulesThatRefuseGiveNothing)
{
    SimulatedModule refusing;
    refusing.InitResult = 0;
    refusing.Applets = {Applet(10)};
    refusing.Strings = {{10, "Refused"}};
    Install("C:\\windows\\system32\\refuse.cpl", refusing);
    SimulatedModule noEntry = refusing;
    noEntry.InitResult = 1;
    noEntry.HasControlPanelEntry = false;
    Install("C:\\windows\\system32\\noentry.cpl", noEntry);
    SimulatedModule broken = noEntry;
    broken.Loadable = false;
    Install("C:\\windows\\system32\\broken.cpl", broken);
    sim.files.AddFile("C:\\windows\\system32\\unknown.cpl");

    EXPECT_TRUE(Fill().empty());
    EXPECT_EQ(sim.modules.Loads, 2);
    EXPECT_EQ(sim.modules.Unloads, 2);
}

TEST_F(CplFolderTest, AppletWithoutReadableNameGivesNoEntry)
{
    SimulatedModule module;
    module.Applets = {Applet(10), Applet(20), Applet(30)};
    module.Strings = {{20, ""}, {30, "Sound"}}; // 10 has no string, 20 is empty
    Install("C:\\windows\\system32\\a.cpl", module);
    EXPECT_EQ(Fill(), (std::vector<std::string>{"C:\\windows\\system32\\a.cpl,Sound"}));
}

TEST_F(CplFolderTest, RecordIsNotClearedBetweenApplets)
{
    SimulatedModule module;
    module.Applets = {Applet(10), {std::nullopt, 0}};
    module.Strings = {{10, "Same"}};
    Install("C:\\windows\\system32\\a.cpl", module);
    EXPECT_EQ(Fill().size(), 2u);
    EXPECT_EQ(source.Entries[1]->AppletName, "Same");
}

TEST_F(CplFolderTest, LongNameIsCutToTheBuffer)
{
    SimulatedModule module;
    module.Applets = {Applet(10)};
    module.Strings = {{10, std::string(3000, 'n')}};
    Install("C:\\windows\\system32\\a.cpl", module);
    Fill();
    ASSERT_EQ(source.Entries.size(), 1u);
    EXPECT_EQ(source.Entries[0]->AppletName.size(), 2047u);
}

TEST_F(CplFolderTest, SameAppletNameInTwoModulesSharesOneAbbreviation)
{
    SimulatedModule module;
    module.Applets = {Applet(10)};
    module.Strings = {{10, "Network"}};
    Install("C:\\windows\\system32\\one.cpl", module);
    Install("C:\\windows\\system32\\sub\\two.cpl", module);
    Install("C:\\windows\\system32\\hidden\\three.cpl", module);
    sim.files.AddFolder("C:\\windows\\system32\\hidden", AttrHidden);
    TProgramInfo taught;
    taught.SetPath("network");
    taught.Abbreviation = "net";
    store.SetAbbrev(taught);

    EXPECT_EQ(Fill(), (std::vector<std::string>{"C:\\windows\\system32\\one.cpl,Network",
                                                "C:\\windows\\system32\\sub\\two.cpl,Network"}));
    EXPECT_EQ(items.Text(0), "Network - net");
    EXPECT_EQ(items.Text(1), "Network - net");
}

TEST_F(CplFolderTest, EveryFillLoadsTheModulesAgainAndReplacesTheEntries)
{
    SimulatedModule module;
    module.Applets = {Applet(10)};
    module.Strings = {{10, "Fonts"}};
    Install("C:\\windows\\system32\\a.cpl", module);
    Fill();
    Fill();
    EXPECT_EQ(sim.modules.Loads, 2);
    EXPECT_EQ(source.Entries.size(), 1u);
    EXPECT_EQ(items.Count(), 1u);
}

TEST_F(CplFolderTest, ModuleFailingMidwayIsStillUnloaded)
{
    SimulatedModule module;
    module.EntryPoint = [](std::uint32_t message, std::int32_t, CplInfo*) -> std::int32_t {
        if (message == platform::CplInquire)
            throw Exception("Access violation");
        return 1;
    };
    Install("C:\\windows\\system32\\a.cpl", module);
    EXPECT_THROW(Fill(), Exception);
    EXPECT_EQ(sim.modules.Loads, 1);
    EXPECT_EQ(sim.modules.Unloads, 1);
}

TEST_F(CplFolderTest, SystemDirectoryIsWhereModulesAreSought)
{
    SimulatedModule module;
    module.Applets = {Applet(10)};
    module.Strings = {{10, "Elsewhere"}};
    Install("D:\\Win\\Sys\\a.cpl", module);
    EXPECT_TRUE(Fill().empty());
    sim.modules.SystemDirectoryPath = "D:\\Win\\Sys";
    EXPECT_EQ(Fill().size(), 1u);
}

} // namespace
