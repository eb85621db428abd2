#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/Exception.h"

namespace platform {

// Registry failures are typed so that callers can tell a value that is simply
// not there (read as its default) from one that holds the wrong kind of data.
class ERegistry : public Exception {
public:
    using Exception::Exception;
};
class ERegistryKeyNotOpenable : public ERegistry {
public:
    using ERegistry::ERegistry;
};
class ERegistryValueMissing : public ERegistry {
public:
    using ERegistry::ERegistry;
};
class ERegistryWrongType : public ERegistry {
public:
    using ERegistry::ERegistry;
};

// An open key of the per-user registry. Closed when destroyed.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    virtual bool ValueExists(const std::string& name) const = 0;
    // How many values the key holds, of any name and type.
    virtual std::uint32_t ValueCount() const = 0;
    // REG_DWORD only. Throws ERegistryValueMissing or ERegistryWrongType.
    virtual std::uint32_t ReadInteger(const std::string& name) const = 0;
    // REG_SZ, or REG_EXPAND_SZ returned unexpanded. Throws ERegistryValueMissing or ERegistryWrongType.
    virtual std::string ReadString(const std::string& name) const = 0;
    // Throw ERegistry with the system's message when the write fails.
    virtual void WriteInteger(const std::string& name, std::uint32_t value) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    // A missing value is no error; any other failure throws ERegistry with the system's message.
    virtual void DeleteValue(const std::string& name) = 0;
};

// HKEY_CURRENT_USER. Key paths are written as the system names them, "\Software\...":
// the leading backslash is optional.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Throws ERegistryKeyNotOpenable when the key does not exist or cannot be read.
    virtual std::unique_ptr<IRegistryKey> OpenKeyReadOnly(const std::string& path) = 0;
    // Creates missing keys on the way. Throws ERegistryKeyNotOpenable on failure.
    virtual std::unique_ptr<IRegistryKey> OpenOrCreateKey(const std::string& path) = 0;
};

} // namespace platform
