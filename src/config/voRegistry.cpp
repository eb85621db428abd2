#include "config/voRegistry.h"

#include <optional>

#include "platform/Platform.h"

namespace {

std::optional<std::uint32_t> TryReadInteger(const platform::IRegistryKey* key, const std::string& name)
{
    if (key == nullptr)
        return std::nullopt;
    return key->ReadInteger(name);
}

} // namespace

TvoRegistry::TvoRegistry(const std::string& keyPath)
{
    try {
        key_ = platform::Registry().OpenOrCreateKey(keyPath);
    } catch (const platform::ERegistry&) {
        // Every read then gives its default.
    }
}

std::int32_t TvoRegistry::ReadIntegerDef(const std::string& name, std::int32_t defaultValue) const
{
    const auto value = TryReadInteger(key_.get(), name);
    // A DWORD is stored unsigned; the fields are signed 32-bit, so the bits carry over unchanged.
    return value ? static_cast<std::int32_t>(*value) : defaultValue;
}

bool TvoRegistry::ReadBoolDef(const std::string& name, bool defaultValue) const
{
    const auto value = TryReadInteger(key_.get(), name);
    return value ? *value != 0 : defaultValue;
}
