#include "config/settings.h"

#include "SettingsContract.h"
#include "SimulatedSettingsKey.h"
#include "SimulatorTest.h"
#include "common/Exception.h"

#include <map>
#include <string>

namespace contract {
INSTANTIATE_TYPED_TEST_SUITE_P(UserKey, SettingsContract, SimulatedSettingsKey, BackendNames);
} // namespace contract

namespace {

using platform::headless::RegType;
using platform::headless::RegValue;

using contract::ExpectDefaults;

// Faults only the simulator can bring about: a key the user may not open, a write that fails.
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

// What a new user gets, pinned here once: the other tests take the defaults from the table.
TEST_F(SettingsTest, DefaultsAreWindowsJKAndHAndEverySourceButTheControlPanel)
{
    const std::map<std::string, std::int32_t> promised = {
        {"ModifierKey", 8},    {"Key", 74},           {"AddModifierKey", 8},       {"AddKey", 75},
        {"RunModifierKey", 8}, {"RunKey", 72},        {"StartMenuAllUsers", true}, {"StartMenuMe", true},
        {"RecentFiles", true}, {"MyDocuments", true}, {"ControlPanel", false},     {"Desktop", true},
        {"PackagedApps", true}};
    std::map<std::string, std::int32_t> listed;
    for (const TSetting& setting : Settings)
        EXPECT_TRUE(listed.emplace(setting.Name, setting.Default).second) << setting.Name << " is in the table twice";
    for (const auto& [name, value] : promised) {
        ASSERT_TRUE(listed.contains(name)) << name;
        EXPECT_EQ(listed[name], value) << name;
    }
}

TEST_F(SettingsTest, UnopenableKeyGivesDefaults)
{
    Store("Key", RegValue::Dword(66));
    sim.registry.DenyKey(SettingsKey);
    ExpectDefaults(Config());
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
