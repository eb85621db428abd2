#include <windows.h>

#include <vector>

#include "SettingsKeyTest.h"
#include "common/Exception.h"
#include "config/settings.h"

namespace {

using SettingsContract = SettingsKeyTest;

TEST_F(SettingsContract, MissingValuesGiveDefaultsAndSaveWritesThirteenDwords)
{
    const TConfig& config = Config();
    EXPECT_EQ(config.ModifierKey, 8);
    EXPECT_EQ(config.Key, 74);
    EXPECT_EQ(config.AddKey, 75);
    EXPECT_EQ(config.RunKey, 72);
    EXPECT_TRUE(config.StartMenuAllUsers);
    EXPECT_FALSE(config.ControlPanel);

    Config().Save();
    for (const char* name : {"ModifierKey", "Key", "AddModifierKey", "AddKey", "RunModifierKey", "RunKey",
                             "StartMenuAllUsers", "StartMenuMe", "RecentFiles", "MyDocuments", "ControlPanel",
                             "Desktop", "PackagedApps"})
        EXPECT_EQ(Stored(name).first, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(Stored("Key").second, 74u);
    EXPECT_EQ(Stored("Desktop").second, 1u);
    EXPECT_EQ(Stored("ControlPanel").second, 0u);
    EXPECT_EQ(Stored("PackagedApps").second, 1u);
}

TEST_F(SettingsContract, StoredDwordsAreReadAndWrittenBackNormalised)
{
    SetDword("ModifierKey", 0);
    SetDword("Key", 0x70);
    SetDword("RunModifierKey", 0xFFFFFFFF);
    SetDword("Desktop", 2);
    SetDword("StartMenuMe", 0);

    const TConfig& config = Config();
    EXPECT_EQ(config.ModifierKey, 0);
    EXPECT_EQ(config.Key, 0x70);
    EXPECT_EQ(config.RunModifierKey, -1);
    EXPECT_TRUE(config.Desktop);
    EXPECT_FALSE(config.StartMenuMe);

    Config().Save();
    EXPECT_EQ(Stored("Desktop").second, 1u);
    EXPECT_EQ(Stored("RunModifierKey").second, 0xFFFFFFFFu);
    EXPECT_EQ(Stored("StartMenuMe").second, 0u);
}

TEST_F(SettingsContract, ValuesOfOtherTypesGiveDefaultsAndBecomeDwords)
{
    const char eight[] = "8";
    SetRaw("AddModifierKey", REG_SZ, eight, sizeof(eight));
    const BYTE bytes[] = {1, 0, 0, 0, 0, 0, 0, 0};
    SetRaw("ControlPanel", REG_QWORD, bytes, sizeof(bytes));
    SetRaw("Key", REG_BINARY, bytes, 4);

    EXPECT_EQ(Config().AddModifierKey, 8);
    EXPECT_FALSE(Config().ControlPanel);
    EXPECT_EQ(Config().Key, 74);

    Config().AddModifierKey = 3;
    Config().Save();
    EXPECT_EQ(Stored("AddModifierKey"), std::make_pair(static_cast<DWORD>(REG_DWORD), DWORD{3}));
    EXPECT_EQ(Stored("ControlPanel"), std::make_pair(static_cast<DWORD>(REG_DWORD), DWORD{0}));
    EXPECT_EQ(Stored("Key"), std::make_pair(static_cast<DWORD>(REG_DWORD), DWORD{74}));
}

TEST_F(SettingsContract, SavedSettingsAreWhatTheNextRunLoads)
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

} // namespace
