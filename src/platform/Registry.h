#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/Exception.h"

namespace platform {

// A registry write, or the opening of a key to write, that the system refused; the
// message is the system's.
class ERegistry : public Exception {
public:
    using Exception::Exception;
};
class ERegistryKeyNotOpenable : public ERegistry {
public:
    using ERegistry::ERegistry;
};

// An open key of the per-user registry. Closed when destroyed.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    virtual bool ValueExists(const std::string& name) const = 0;
    // How many values the key holds, of any name and type; 0 when the key cannot be queried.
    virtual std::uint32_t ValueCount() const = 0;
    // Reads give none when the value is missing, holds another type, or cannot be read:
    // a stored setting that cannot be had is one the caller replaces by its default.
    // REG_DWORD only.
    virtual std::optional<std::uint32_t> ReadInteger(const std::string& name) const = 0;
    // REG_SZ, or REG_EXPAND_SZ returned unexpanded.
    virtual std::optional<std::string> ReadString(const std::string& name) const = 0;
    // REG_BINARY, its bytes as they are.
    virtual std::optional<std::string> ReadBinary(const std::string& name) const = 0;
    // Throw ERegistry with the system's message when the write fails.
    virtual void WriteInteger(const std::string& name, std::uint32_t value) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void WriteBinary(const std::string& name, const std::string& bytes) = 0;
    // A missing value is no error; any other failure throws ERegistry with the system's message.
    virtual void DeleteValue(const std::string& name) = 0;
};

// HKEY_CURRENT_USER. Key paths are written as the system names them, "\Software\...":
// the leading backslash is optional.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // The key for reading; none when it does not exist or cannot be read.
    virtual std::unique_ptr<IRegistryKey> OpenExistingKey(const std::string& path) = 0;
    // Creates missing keys on the way. Throws ERegistryKeyNotOpenable on failure.
    virtual std::unique_ptr<IRegistryKey> OpenOrCreateKey(const std::string& path) = 0;

    // The key for reading, where a missing key is an error: throws ERegistryKeyNotOpenable.
    std::unique_ptr<IRegistryKey> OpenKeyReadOnly(const std::string& path)
    {
        auto key = OpenExistingKey(path);
        if (!key)
            throw ERegistryKeyNotOpenable("Unable to open key " + path);
        return key;
    }
};

} // namespace platform
