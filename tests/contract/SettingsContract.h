#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

#include "BackendNames.h"
#include "config/settings.h"

// The settings' contract, run on every backend that can hold the user's settings key:
// the simulator's registry natively, and under Wine both the real key and the simulator,
// so that the simulator is held to the assertions the real registry passes.
//
// A backend installs its platform when made and removes it when destroyed, starts with
// none of the settings' values stored, and puts back whatever the key held before.
//   void SetDword(const char* name, std::uint32_t value);
//   void SetForeign(const char* name, Foreign type, const std::string& data);
//   Stored Get(const char* name);       // the value as the registry holds it
//   void ClearValues();                 // removes the settings' values, as a user might
//   bool KeyExists();
namespace contract {

// Values of a type the settings never write.
enum class Foreign { Sz, ExpandSz, Binary, Qword };

struct Stored {
    enum Kind { Missing, Dword, Other } Type = Missing;
    std::uint32_t Number = 0;
    bool operator==(const Stored&) const = default;
};
inline Stored DwordOf(std::uint32_t number) { return {Stored::Dword, number}; }

// A setting's field as the number it is saved as (a switch as 0 or 1).
inline std::uint32_t FieldAsStored(const TConfig& config, const TSetting& setting)
{
    return std::visit([&](auto field) { return static_cast<std::uint32_t>(config.*field); }, setting.Field);
}

// Every setting at the default of the table in settings.cpp.
inline void ExpectDefaults(const TConfig& config)
{
    for (const TSetting& setting : Settings)
        EXPECT_EQ(FieldAsStored(config, setting), static_cast<std::uint32_t>(setting.Default)) << setting.Name;
}

template <class Backend>
class SettingsContract : public ::testing::Test {
protected:
    SettingsContract() { FreeConfig(); }
    ~SettingsContract() override { FreeConfig(); }

    Backend key;
};

TYPED_TEST_SUITE_P(SettingsContract);

TYPED_TEST_P(SettingsContract, FirstRunGivesDefaultsCreatesTheKeyAndFirstSaveWritesEverySettingAsADword)
{
    ExpectDefaults(Config());
    EXPECT_TRUE(this->key.KeyExists());

    Config().Save();
    for (const TSetting& setting : Settings)
        EXPECT_EQ(this->key.Get(setting.Name), DwordOf(static_cast<std::uint32_t>(setting.Default))) << setting.Name;
}

TYPED_TEST_P(SettingsContract, StoredValuesAreLoadedUnchanged)
{
    this->key.SetDword("ModifierKey", 0);
    this->key.SetDword("Key", 112); // F1: outside A..Z, kept as it is
    this->key.SetDword("AddModifierKey", 3);
    this->key.SetDword("AddKey", 65);
    this->key.SetDword("RunModifierKey", 0xFFFFFFFF);
    this->key.SetDword("RunKey", 90);
    this->key.SetDword("StartMenuMe", 0);
    this->key.SetDword("ControlPanel", 1);
    this->key.SetDword("PackagedApps", 0);

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
    EXPECT_EQ(this->key.Get("ModifierKey"), DwordOf(0));
    EXPECT_EQ(this->key.Get("Key"), DwordOf(112));
    EXPECT_EQ(this->key.Get("RunModifierKey"), DwordOf(0xFFFFFFFF));
    EXPECT_EQ(this->key.Get("StartMenuMe"), DwordOf(0));
    EXPECT_EQ(this->key.Get("PackagedApps"), DwordOf(0));
}

TYPED_TEST_P(SettingsContract, NonzeroSwitchReadsAsTrueAndIsWrittenBackAsOne)
{
    this->key.SetDword("Desktop", 2);
    this->key.SetDword("ControlPanel", 0x80000000);
    EXPECT_TRUE(Config().Desktop);
    EXPECT_TRUE(Config().ControlPanel);
    Config().Save();
    EXPECT_EQ(this->key.Get("Desktop"), DwordOf(1));
    EXPECT_EQ(this->key.Get("ControlPanel"), DwordOf(1));
}

TYPED_TEST_P(SettingsContract, ValuesOfAnotherTypeTakeTheirDefaultsAndAreReplacedByDwordsOnSave)
{
    this->key.SetForeign("ModifierKey", Foreign::Sz, "2");
    this->key.SetForeign("AddModifierKey", Foreign::Sz, "8");
    this->key.SetForeign("Key", Foreign::Binary, std::string("\x41\0\0\0", 4));
    this->key.SetForeign("Desktop", Foreign::Sz, "0");
    this->key.SetForeign("ControlPanel", Foreign::Qword, std::string("\x01\0\0\0\0\0\0\0", 8));
    this->key.SetForeign("StartMenuMe", Foreign::ExpandSz, "0");

    ExpectDefaults(Config());
    Config().AddModifierKey = 3;
    Config().Save();
    EXPECT_EQ(this->key.Get("ModifierKey"), DwordOf(8));
    EXPECT_EQ(this->key.Get("AddModifierKey"), DwordOf(3));
    EXPECT_EQ(this->key.Get("Key"), DwordOf(74));
    EXPECT_EQ(this->key.Get("Desktop"), DwordOf(1));
    EXPECT_EQ(this->key.Get("ControlPanel"), DwordOf(0));
    EXPECT_EQ(this->key.Get("StartMenuMe"), DwordOf(1));
}

TYPED_TEST_P(SettingsContract, ConfigLoadsOnceAndMemoryIsTheTruthUntilFreed)
{
    Config().Key = 81;
    this->key.SetDword("Key", 66); // changed from outside: not read again
    EXPECT_EQ(Config().Key, 81);
    EXPECT_EQ(&Config(), &Config());

    FreeConfig(); // no save on free
    EXPECT_EQ(Config().Key, 66);
}

TYPED_TEST_P(SettingsContract, DeletedValuesAreAllWrittenAgainFromMemory)
{
    Config().RecentFiles = false;
    Config().Save();
    this->key.ClearValues();
    for (const TSetting& setting : Settings)
        EXPECT_EQ(this->key.Get(setting.Name).Type, Stored::Missing) << setting.Name;
    Config().Save();
    for (const TSetting& setting : Settings)
        EXPECT_EQ(this->key.Get(setting.Name), DwordOf(FieldAsStored(Config(), setting))) << setting.Name;
    EXPECT_EQ(this->key.Get("RecentFiles"), DwordOf(0));
}

TYPED_TEST_P(SettingsContract, SavedSettingsAreWhatTheNextRunLoads)
{
    Config().Key = 81;
    Config().AddModifierKey = 6;
    Config().RecentFiles = false;
    Config().ControlPanel = true;
    Config().Save();

    FreeConfig();
    EXPECT_EQ(Config().Key, 81);
    EXPECT_EQ(Config().AddModifierKey, 6);
    EXPECT_FALSE(Config().RecentFiles);
    EXPECT_TRUE(Config().ControlPanel);
}

REGISTER_TYPED_TEST_SUITE_P(SettingsContract, FirstRunGivesDefaultsCreatesTheKeyAndFirstSaveWritesEverySettingAsADword,
                            StoredValuesAreLoadedUnchanged, NonzeroSwitchReadsAsTrueAndIsWrittenBackAsOne,
                            ValuesOfAnotherTypeTakeTheirDefaultsAndAreReplacedByDwordsOnSave,
                            ConfigLoadsOnceAndMemoryIsTheTruthUntilFreed, DeletedValuesAreAllWrittenAgainFromMemory,
                            SavedSettingsAreWhatTheNextRunLoads);

} // namespace contract
