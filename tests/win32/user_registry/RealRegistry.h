#pragma once
#include <windows.h>

#include <string>

#include "RealPlatform.h"
#include "RegistryContract.h"

namespace contract {

// The real per-user registry, with a scratch key of this process's.
class RealRegistry : public RealPlatform {
public:
    ~RealRegistry() { DeleteTree(KeyPath()); }

    std::string KeyPath() const
    {
        return "\\Software\\Morrowfield\\ZephyrixTests\\" + std::to_string(GetCurrentProcessId());
    }
    void SetRaw(const char* name, RawType type, const std::string& bytes)
    {
        const DWORD types[] = {REG_NONE, REG_DWORD, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_QWORD};
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().substr(1).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, types[static_cast<int>(type)], reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    RawType TypeOf(const char* name) const
    {
        HKEY key = nullptr;
        DWORD type = REG_NONE;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().substr(1).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return RawType::Missing;
        const LONG found = RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
        if (found != ERROR_SUCCESS)
            return RawType::Missing;
        switch (type) {
        case REG_DWORD: return RawType::Dword;
        case REG_SZ: return RawType::Sz;
        case REG_EXPAND_SZ: return RawType::ExpandSz;
        case REG_QWORD: return RawType::Qword;
        default: return RawType::Binary;
        }
    }
    void DeleteTree(const std::string& path) { RegDeleteTreeA(HKEY_CURRENT_USER, path.substr(1).c_str()); }
};

} // namespace contract
