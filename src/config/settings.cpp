#include "config/settings.h"

#include <memory>
#include <string>
#include <variant>

#include "common/Exception.h"
#include "config/voRegistry.h"
#include "platform/Platform.h"

namespace {

std::unique_ptr<TConfig>& Instance()
{
    static std::unique_ptr<TConfig> instance;
    return instance;
}

// Writes one REG_DWORD, turning any failure into the system's message for that value.
class SettingsWriter {
public:
    SettingsWriter()
    {
        try {
            key_ = platform::Registry().OpenOrCreateKey(SettingsKey);
        } catch (const platform::ERegistry&) {
            // Reported by the first write, which then cannot set its data.
        }
    }

    void Write(const std::string& name, std::uint32_t value)
    {
        try {
            if (key_ != nullptr) {
                key_->WriteInteger(name, value);
                return;
            }
        } catch (const platform::ERegistry&) {
            // reported below, under the value's name
        }
        throw Exception("Failed to set data for '" + name + "'");
    }
    void Write(const std::string& name, std::int32_t value) { Write(name, static_cast<std::uint32_t>(value)); }
    void Write(const std::string& name, bool value) { Write(name, value ? 1u : 0u); }

private:
    std::unique_ptr<platform::IRegistryKey> key_;
};

const TSetting Table[] = {
    {"ModifierKey", &TConfig::ModifierKey, 8}, // Windows key
    {"Key", &TConfig::Key, 74},                // J
    {"AddModifierKey", &TConfig::AddModifierKey, 8},
    {"AddKey", &TConfig::AddKey, 75}, // K
    {"RunModifierKey", &TConfig::RunModifierKey, 8},
    {"RunKey", &TConfig::RunKey, 72}, // H
    {"StartMenuAllUsers", &TConfig::StartMenuAllUsers, true},
    {"StartMenuMe", &TConfig::StartMenuMe, true},
    {"RecentFiles", &TConfig::RecentFiles, true},
    {"MyDocuments", &TConfig::MyDocuments, true},
    {"ControlPanel", &TConfig::ControlPanel, false},
    {"Desktop", &TConfig::Desktop, true},
    {"PackagedApps", &TConfig::PackagedApps, true},
};

} // namespace

const std::span<const TSetting> Settings = Table;

TConfig::TConfig()
{
    for (const TSetting& setting : Settings) {
        if (const auto* number = std::get_if<std::int32_t TConfig::*>(&setting.Field))
            this->**number = setting.Default;
        else
            this->*std::get<bool TConfig::*>(setting.Field) = setting.Default != 0;
    }
}

void TConfig::Load()
{
    const TvoRegistry registry(SettingsKey);
    for (const TSetting& setting : Settings) {
        if (const auto* number = std::get_if<std::int32_t TConfig::*>(&setting.Field))
            this->**number = registry.ReadIntegerDef(setting.Name, setting.Default);
        else
            this->*std::get<bool TConfig::*>(setting.Field) = registry.ReadBoolDef(setting.Name, setting.Default != 0);
    }
}

void TConfig::Save() const
{
    SettingsWriter registry;
    for (const TSetting& setting : Settings)
        std::visit([&](auto field) { registry.Write(setting.Name, this->*field); }, setting.Field);
}

TConfig& Config()
{
    auto& instance = Instance();
    if (!instance) {
        auto loaded = std::make_unique<TConfig>();
        loaded->Load();
        instance = std::move(loaded);
    }
    return *instance;
}

void FreeConfig()
{
    Instance().reset();
}
