#pragma once
#include <windows.h>

#include <string>

// The user's real sign-in entry "Zephyrix" under the Run key, as the shell reads it at
// sign-in. A test that changes it holds a RunEntryBackup: the entry it had comes back.
namespace RunEntry {

constexpr const char* Key = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The entry's text and type; REG_NONE and empty when there is none.
inline std::string Read(DWORD& type)
{
    char data[1024] = "";
    DWORD size = sizeof(data);
    type = REG_NONE;
    if (RegGetValueA(HKEY_CURRENT_USER, Key, "Zephyrix", RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
        ERROR_SUCCESS) {
        type = REG_NONE;
        return {};
    }
    return data;
}
inline std::string Read()
{
    DWORD type = REG_NONE;
    return Read(type);
}

inline void Remove()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "Zephyrix");
    RegCloseKey(key);
}

// This program's own path in quotes, as the entry holds it.
inline std::string QuotedOwnPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string("\"") + path + '"';
}

class Backup {
public:
    Backup() : saved_(Read(savedType_)) {}
    ~Backup()
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        if (savedType_ == REG_NONE)
            RegDeleteValueA(key, "Zephyrix");
        else
            RegSetValueExA(key, "Zephyrix", 0, savedType_, reinterpret_cast<const BYTE*>(saved_.c_str()),
                           static_cast<DWORD>(saved_.size() + 1));
        RegCloseKey(key);
    }
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

private:
    DWORD savedType_ = REG_NONE;
    std::string saved_;
};

} // namespace RunEntry
