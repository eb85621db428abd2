#pragma once
#include <string>

#include "SettingsContract.h"
#include "platform/headless/Simulator.h"

namespace contract {

// The settings key in a fresh simulator's registry.
class SimulatedSettingsKey {
public:
    static constexpr const char* Name = "Simulated";
    SimulatedSettingsKey() : sim_(platform::headless::InstallSimulator()) {}
    ~SimulatedSettingsKey() { platform::Install(nullptr); }
    SimulatedSettingsKey(const SimulatedSettingsKey&) = delete;
    SimulatedSettingsKey& operator=(const SimulatedSettingsKey&) = delete;

    void SetDword(const char* name, std::uint32_t value)
    {
        sim_.registry.SetValue(SettingsKey, name, platform::headless::RegValue::Dword(value));
    }
    // The simulator has no REG_QWORD: eight bytes of binary stand for it.
    void SetForeign(const char* name, Foreign type, const std::string& data)
    {
        using platform::headless::RegValue;
        sim_.registry.SetValue(SettingsKey, name,
                               type == Foreign::Sz         ? RegValue::Sz(data)
                               : type == Foreign::ExpandSz ? RegValue::ExpandSz(data)
                                                           : RegValue::Binary(data));
    }
    Stored Get(const char* name) const
    {
        const auto* value = sim_.registry.FindValue(SettingsKey, name);
        if (value == nullptr)
            return {};
        if (value->Type != platform::headless::RegType::Dword)
            return {Stored::Other, 0};
        return {Stored::Dword, value->Number};
    }
    void ClearValues() { sim_.registry.ValuesOf(platform::headless::Registry::Normalise(SettingsKey)).clear(); }
    bool KeyExists() const { return sim_.registry.KeyExists(SettingsKey); }

    platform::headless::Simulator& Sim() { return sim_; }

private:
    platform::headless::Simulator& sim_;
};

} // namespace contract
