#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"

// Reads settings from one per-user key without ever failing: whatever cannot be
// read (key not openable, value absent, value of another type) yields the default.
class TvoRegistry {
public:
    // Opens the key, creating it if it does not exist; a failed open is remembered, not raised.
    explicit TvoRegistry(const std::string& keyPath);

    std::int32_t ReadIntegerDef(const std::string& name, std::int32_t defaultValue) const;
    bool ReadBoolDef(const std::string& name, bool defaultValue) const;

private:
    std::unique_ptr<platform::IRegistryKey> key_;
};
