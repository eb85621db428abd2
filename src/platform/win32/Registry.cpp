#include "platform/win32/Registry.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

// The system writes key paths as "\Software\..."; the registry functions want them relative.
std::string RelativeKeyPath(const std::string& path)
{
    std::size_t first = 0;
    while (first < path.size() && path[first] == '\\')
        ++first;
    return path.substr(first);
}

class Key : public IRegistryKey {
public:
    explicit Key(HKEY key) : key_(key) {}

    bool ValueExists(const std::string& name) const override
    {
        return RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::uint32_t ValueCount() const override
    {
        DWORD values = 0;
        const LONG result = RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                             nullptr, nullptr, nullptr, nullptr);
        return result == ERROR_SUCCESS ? values : 0;
    }

    std::optional<std::uint32_t> ReadInteger(const std::string& name) const override
    {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        const LONG result =
            RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        // A value of another type may be larger than a DWORD (ERROR_MORE_DATA): the wrong type, so none.
        if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
            return std::nullopt;
        return value;
    }

    std::optional<std::string> ReadString(const std::string& name) const override
    {
        DWORD type = 0;
        DWORD size = 0;
        LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        // The value may change between the two calls; grow and retry until it fits.
        std::vector<char> buffer;
        do {
            buffer.assign(size + 1, '\0');
            size = static_cast<DWORD>(buffer.size());
            result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(buffer.data()), &size);
        } while (result == ERROR_MORE_DATA);
        // Another type may have taken its place meanwhile.
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        // Stored strings need not be terminated: take the bytes up to the first NUL.
        std::string text(buffer.data(), std::min<std::size_t>(size, buffer.size()));
        const std::size_t end = text.find('\0');
        return end == std::string::npos ? text : text.substr(0, end);
    }

    void WriteInteger(const std::string& name, std::uint32_t value) override
    {
        const DWORD data = value;
        Check(RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                             sizeof(data)));
    }

    std::optional<std::string> ReadBinary(const std::string& name) const override
    {
        DWORD type = 0;
        DWORD size = 0;
        LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
        std::string bytes;
        // The value may grow between the two calls; retry until it fits.
        while (result == ERROR_SUCCESS && type == REG_BINARY) {
            bytes.assign(size, '\0');
            result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                                      &size);
            if (result == ERROR_SUCCESS && type == REG_BINARY) {
                bytes.resize(size);
                return bytes;
            }
            if (result == ERROR_MORE_DATA)
                result = ERROR_SUCCESS;
        }
        return std::nullopt;
    }

    void WriteBinary(const std::string& name, const std::string& bytes) override
    {
        Check(RegSetValueExA(key_.Get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())));
    }

    void WriteString(const std::string& name, const std::string& value) override
    {
        Check(RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)));
    }

    void DeleteValue(const std::string& name) override
    {
        const LONG result = RegDeleteValueA(key_.Get(), name.c_str());
        if (result != ERROR_FILE_NOT_FOUND)
            Check(result);
    }

private:
    static void Check(LONG result)
    {
        if (result != ERROR_SUCCESS)
            throw ERegistry(SystemErrorMessage(static_cast<DWORD>(result)));
    }

    UniqueHKey key_;
};

} // namespace

std::unique_ptr<IRegistryKey> Registry::OpenExistingKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RelativeKeyPath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Key>(key);
}

std::unique_ptr<IRegistryKey> Registry::OpenOrCreateKey(const std::string& path)
{
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, RelativeKeyPath(path).c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        throw ERegistryKeyNotOpenable(SystemErrorMessage(static_cast<DWORD>(result)));
    return std::make_unique<Key>(key);
}

} // namespace platform::win32
