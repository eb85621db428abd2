#include <windows.h>

#include <vector>

#include "Win32Test.h"
#include "common/Exception.h"
#include "config/settings.h"

namespace {

// The settings live in the real key; whatever it held before the test is put back after it.
class SettingsContract : public Win32Test {
protected:
    struct RawValue {
        std::string Name;
        DWORD Type = 0;
        std::vector<BYTE> Data;
    };

    SettingsContract()
    {
        existed_ = RegOpenKeyExA(HKEY_CURRENT_USER, KeyName(), 0, KEY_READ, &saved_) == ERROR_SUCCESS;
        if (existed_) {
            for (DWORD index = 0;; ++index) {
                char name[256];
                DWORD nameSize = sizeof(name);
                DWORD type = 0;
                BYTE data[4096];
                DWORD dataSize = sizeof(data);
                if (RegEnumValueA(saved_, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
                    break;
                backup_.push_back({name, type, std::vector<BYTE>(data, data + dataSize)});
            }
            RegCloseKey(saved_);
        }
        ClearValues();
        FreeConfig();
    }

    ~SettingsContract() override
    {
        FreeConfig();
        ClearValues();
        if (existed_)
            for (const RawValue& value : backup_)
                SetRaw(value.Name.c_str(), value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
    }

    static const char* KeyName() { return SettingsKey + 1; } // without the leading backslash

    // Removes the twelve values only: the subkeys (abbreviations, placement) stay.
    static void ClearValues()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyName(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        for (const char* name : {"ModifierKey", "Key", "AddModifierKey", "AddKey", "RunModifierKey", "RunKey",
                                 "StartMenuAllUsers", "StartMenuMe", "RecentFiles", "MyDocuments", "ControlPanel",
                                 "Desktop"})
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }

    static void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyName(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void SetDword(const char* name, DWORD value) { SetRaw(name, REG_DWORD, &value, sizeof(value)); }

    // The value's type and number as stored; type 0 when it is missing.
    static std::pair<DWORD, DWORD> Stored(const char* name)
    {
        HKEY key = nullptr;
        DWORD type = 0, value = 0, size = sizeof(value);
        if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyName(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {0, 0};
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
            type = 0;
        RegCloseKey(key);
        return {type, value};
    }

private:
    HKEY saved_ = nullptr;
    bool existed_ = false;
    std::vector<RawValue> backup_;
};

TEST_F(SettingsContract, MissingValuesGiveDefaultsAndSaveWritesTwelveDwords)
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
                             "Desktop"})
        EXPECT_EQ(Stored(name).first, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(Stored("Key").second, 74u);
    EXPECT_EQ(Stored("Desktop").second, 1u);
    EXPECT_EQ(Stored("ControlPanel").second, 0u);
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
