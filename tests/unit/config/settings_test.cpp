#include "config/settings.h"

#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

using platform::headless::RegType;
using platform::headless::RegValue;

const char* const IntegerNames[] = {"ModifierKey", "Key", "AddModifierKey", "AddKey", "RunModifierKey", "RunKey"};
const char* const SwitchNames[] = {"StartMenuAllUsers", "StartMenuMe", "RecentFiles", "MyDocuments",
                                   "ControlPanel",      "Desktop",     "PackagedApps"};

class SettingsTest : public SimulatorTest {
protected:
    ~SettingsTest() override { FreeConfig(); }

    void Store(const std::string& name, RegValue value) { sim.registry.SetValue(SettingsKey, name, std::move(value)); }

    const RegValue* Stored(const std::string& name) { return sim.registry.FindValue(SettingsKey, name); }

    std::uint32_t StoredDword(const std::string& name)
    {
        const RegValue* value = Stored(name);
        EXPECT_NE(value, nullptr) << name;
        if (value == nullptr)
            return 0xDEADBEEF;
        EXPECT_EQ(value->Type, RegType::Dword) << name;
        return value->Number;
    }
};

void ExpectDefaults(const TConfig& config)
{
    EXPECT_EQ(config.ModifierKey, 8);
    EXPECT_EQ(config.Key, 74);
    EXPECT_EQ(config.AddModifierKey, 8);
    EXPECT_EQ(config.AddKey, 75);
    EXPECT_EQ(config.RunModifierKey, 8);
    EXPECT_EQ(config.RunKey, 72);
    EXPECT_TRUE(config.StartMenuAllUsers);
    EXPECT_TRUE(config.StartMenuMe);
    EXPECT_TRUE(config.RecentFiles);
    EXPECT_TRUE(config.MyDocuments);
    EXPECT_FALSE(config.ControlPanel);
    EXPECT_TRUE(config.Desktop);
    EXPECT_TRUE(config.PackagedApps);
}

TEST_F(SettingsTest, FirstRunGivesDefaultsCreatesTheKeyAndFirstSaveWritesAllThirteenDwords)
{
    ExpectDefaults(Config());
    EXPECT_TRUE(sim.registry.KeyExists(SettingsKey));

    Config().Save();
    for (const char* name : IntegerNames)
        StoredDword(name);
    EXPECT_EQ(StoredDword("ModifierKey"), 8u);
    EXPECT_EQ(StoredDword("Key"), 74u);
    EXPECT_EQ(StoredDword("AddKey"), 75u);
    EXPECT_EQ(StoredDword("RunKey"), 72u);
    for (const char* name : SwitchNames)
        EXPECT_EQ(StoredDword(name), std::string(name) == "ControlPanel" ? 0u : 1u) << name;
}

TEST_F(SettingsTest, StoredValuesAreLoadedUnchanged)
{
    Store("ModifierKey", RegValue::Dword(0));
    Store("Key", RegValue::Dword(112)); // F1: outside A..Z, kept as it is
    Store("AddModifierKey", RegValue::Dword(3));
    Store("AddKey", RegValue::Dword(65));
    Store("RunModifierKey", RegValue::Dword(0xFFFFFFFF));
    Store("RunKey", RegValue::Dword(90));
    Store("StartMenuMe", RegValue::Dword(0));
    Store("ControlPanel", RegValue::Dword(1));
    Store("PackagedApps", RegValue::Dword(0));

    const TConfig& config = Config();
    EXPECT_EQ(config.ModifierKey, 0);
    EXPECT_EQ(config.Key, 112);
    EXPECT_EQ(config.AddModifierKey, 3);
    EXPECT_EQ(config.AddKey, 65);
    EXPECT_EQ(config.RunModifierKey, -1);
    EXPECT_EQ(config.RunKey, 90);
    EXPECT_FALSE(config.StartMenuMe);
    EXPECT_TRUE(config.ControlPanel);
    EXPECT_TRUE(config.Desktop);
    EXPECT_FALSE(config.PackagedApps);

    Config().Save();
    EXPECT_EQ(StoredDword("ModifierKey"), 0u);
    EXPECT_EQ(StoredDword("PackagedApps"), 0u);
    EXPECT_EQ(StoredDword("Key"), 112u);
    EXPECT_EQ(StoredDword("RunModifierKey"), 0xFFFFFFFFu);
}

TEST_F(SettingsTest, NonzeroSwitchReadsAsTrueAndIsWrittenBackAsOne)
{
    Store("Desktop", RegValue::Dword(2));
    Store("ControlPanel", RegValue::Dword(0x80000000));
    EXPECT_TRUE(Config().Desktop);
    EXPECT_TRUE(Config().ControlPanel);
    Config().Save();
    EXPECT_EQ(StoredDword("Desktop"), 1u);
    EXPECT_EQ(StoredDword("ControlPanel"), 1u);
}

TEST_F(SettingsTest, ValuesOfAnotherTypeTakeTheirDefaultsAndAreReplacedByDwordsOnSave)
{
    Store("ModifierKey", RegValue::Sz("2"));
    Store("Key", RegValue::Binary(std::string("\x41\0\0\0", 4)));
    Store("Desktop", RegValue::Sz("0"));
    Store("ControlPanel", RegValue::ExpandSz("1"));

    ExpectDefaults(Config());
    Config().Save();
    EXPECT_EQ(StoredDword("ModifierKey"), 8u);
    EXPECT_EQ(StoredDword("Key"), 74u);
    EXPECT_EQ(StoredDword("Desktop"), 1u);
    EXPECT_EQ(StoredDword("ControlPanel"), 0u);
}

TEST_F(SettingsTest, UnopenableKeyGivesDefaults)
{
    Store("Key", RegValue::Dword(66));
    sim.registry.DenyKey(SettingsKey);
    ExpectDefaults(Config());
}

TEST_F(SettingsTest, ConfigLoadsOnceAndMemoryIsTheTruthUntilFreed)
{
    Config().Key = 81;
    Store("Key", RegValue::Dword(66)); // changed from outside: not read again
    EXPECT_EQ(Config().Key, 81);
    EXPECT_EQ(&Config(), &Config());

    FreeConfig(); // no save on free
    EXPECT_EQ(Config().Key, 66);
}

TEST_F(SettingsTest, DeletedValuesAreAllWrittenAgainFromMemory)
{
    Config().RecentFiles = false;
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(SettingsKey)).clear();
    Config().Save();
    for (const char* name : IntegerNames)
        EXPECT_NE(Stored(name), nullptr) << name;
    EXPECT_EQ(StoredDword("RecentFiles"), 0u);
}

TEST_F(SettingsTest, FailingWriteNamesTheValueAndKeepsEarlierWrites)
{
    Config().ModifierKey = 1;
    Config().RunModifierKey = 2;
    Config().Desktop = false;
    Store("Desktop", RegValue::Dword(1));
    sim.registry.FailWritesTo("RunModifierKey");

    try {
        Config().Save();
        FAIL() << "the save must fail";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'RunModifierKey'");
    }
    EXPECT_EQ(StoredDword("ModifierKey"), 1u);          // written before the failure
    EXPECT_EQ(Stored("RunModifierKey"), nullptr);       // the failing one
    EXPECT_EQ(StoredDword("Desktop"), 1u);              // after it: old contents
    EXPECT_EQ(Config().RunModifierKey, 2);              // memory unaffected
}

TEST_F(SettingsTest, SaveToAnUnopenableKeyFailsAtTheFirstValue)
{
    sim.registry.DenyKey(SettingsKey);
    EXPECT_THROW(
        {
            try {
                Config().Save();
            } catch (const Exception& error) {
                EXPECT_STREQ(error.what(), "Failed to set data for 'ModifierKey'");
                throw;
            }
        },
        Exception);
}

} // namespace
