#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "RealPlatform.h"
#include "SettingsContract.h"
#include "Win32Test.h"
#include "config/settings.h"

// The settings live in the real key; whatever it held before is put back after.
class SettingsKeyBackup {
public:
    struct RawValue {
        std::string Name;
        DWORD Type = 0;
        std::vector<BYTE> Data;
    };

    SettingsKeyBackup()
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
    }

    ~SettingsKeyBackup()
    {
        ClearValues();
        if (existed_)
            for (const RawValue& value : backup_)
                SetRaw(value.Name.c_str(), value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
    }

    static const char* KeyName() { return SettingsKey + 1; } // without the leading backslash

    // Removes the settings' values only: the subkeys (abbreviations, placement) stay.
    static void ClearValues()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyName(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        for (const TSetting& setting : Settings)
            RegDeleteValueA(key, setting.Name);
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

    SettingsKeyBackup(const SettingsKeyBackup&) = delete;
    SettingsKeyBackup& operator=(const SettingsKeyBackup&) = delete;

private:
    HKEY saved_ = nullptr;
    bool existed_ = false;
    std::vector<RawValue> backup_;
};

// A test of the real key, with the settings freed before and after it.
class SettingsKeyTest : public Win32Test, protected SettingsKeyBackup {
protected:
    SettingsKeyTest() { FreeConfig(); }
    ~SettingsKeyTest() override { FreeConfig(); }
};

namespace contract {

// The settings contract's backend over the user's real key.
class RealSettingsKey : public RealPlatform {
public:
    void SetDword(const char* name, std::uint32_t value) { SettingsKeyBackup::SetDword(name, value); }
    void SetForeign(const char* name, Foreign type, const std::string& data)
    {
        const DWORD types[] = {REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_QWORD};
        const bool text = type == Foreign::Sz || type == Foreign::ExpandSz;
        SettingsKeyBackup::SetRaw(name, types[static_cast<int>(type)], data.c_str(),
                                  static_cast<DWORD>(data.size() + (text ? 1 : 0)));
    }
    Stored Get(const char* name) const
    {
        const auto [type, number] = SettingsKeyBackup::Stored(name);
        if (type == 0)
            return {};
        if (type != REG_DWORD)
            return {Stored::Other, 0};
        return {Stored::Dword, number};
    }
    void ClearValues() { SettingsKeyBackup::ClearValues(); }
    bool KeyExists() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyBackup::KeyName(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    SettingsKeyBackup backup_;
};

} // namespace contract
