#pragma once
#include "platform/Registry.h"

namespace platform::win32 {

// HKEY_CURRENT_USER through the ANSI registry functions.
class Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenExistingKey(const std::string& path) override;
    std::unique_ptr<IRegistryKey> OpenOrCreateKey(const std::string& path) override;
};

} // namespace platform::win32
