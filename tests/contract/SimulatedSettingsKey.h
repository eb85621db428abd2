#pragma once
#include <string>

#include "SettingsContract.h"
#include "SimulatedPlatform.h"

namespace contract {

// The settings key in a fresh simulator's registry.
class SimulatedSettingsKey : public SimulatedPlatform {
public:
    void SetDword(const char* name, std::uint32_t value)
    {
        Sim.registry.SetValue(SettingsKey, name, platform::headless::RegValue::Dword(value));
    }
    // The simulator has no REG_QWORD: eight bytes of binary stand for it.
    void SetForeign(const char* name, Foreign type, const std::string& data)
    {
        using platform::headless::RegValue;
        Sim.registry.SetValue(SettingsKey, name,
                               type == Foreign::Sz         ? RegValue::Sz(data)
                               : type == Foreign::ExpandSz ? RegValue::ExpandSz(data)
                                                           : RegValue::Binary(data));
    }
    Stored Get(const char* name) const
    {
        const auto* value = Sim.registry.FindValue(SettingsKey, name);
        if (value == nullptr)
            return {};
        if (value->Type != platform::headless::RegType::Dword)
            return {Stored::Other, 0};
        return {Stored::Dword, value->Number};
    }
    void ClearValues() { Sim.registry.ValuesOf(platform::headless::Registry::Normalise(SettingsKey)).clear(); }
    bool KeyExists() const { return Sim.registry.KeyExists(SettingsKey); }
};

} // namespace contract
