#include "config/settings.h"

#include <memory>
#include <string>

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
            if (key_ == nullptr)
                throw platform::ERegistryKeyNotOpenable(name);
            key_->WriteInteger(name, value);
        } catch (const platform::ERegistry&) {
            throw Exception("Failed to set data for '" + name + "'");
        }
    }
    void Write(const std::string& name, std::int32_t value) { Write(name, static_cast<std::uint32_t>(value)); }
    void Write(const std::string& name, bool value) { Write(name, value ? 1u : 0u); }

private:
    std::unique_ptr<platform::IRegistryKey> key_;
};

} // namespace

void TConfig::Load()
{
    const TvoRegistry registry(SettingsKey);
    ModifierKey = registry.ReadIntegerDef("ModifierKey", 8);
    Key = registry.ReadIntegerDef("Key", 74);
    AddModifierKey = registry.ReadIntegerDef("AddModifierKey", 8);
    AddKey = registry.ReadIntegerDef("AddKey", 75);
    RunModifierKey = registry.ReadIntegerDef("RunModifierKey", 8);
    RunKey = registry.ReadIntegerDef("RunKey", 72);
    StartMenuAllUsers = registry.ReadBoolDef("StartMenuAllUsers", true);
    StartMenuMe = registry.ReadBoolDef("StartMenuMe", true);
    RecentFiles = registry.ReadBoolDef("RecentFiles", true);
    MyDocuments = registry.ReadBoolDef("MyDocuments", true);
    ControlPanel = registry.ReadBoolDef("ControlPanel", false);
    Desktop = registry.ReadBoolDef("Desktop", true);
    PackagedApps = registry.ReadBoolDef("PackagedApps", true);
}

void TConfig::Save() const
{
    SettingsWriter registry;
    registry.Write("ModifierKey", ModifierKey);
    registry.Write("Key", Key);
    registry.Write("AddModifierKey", AddModifierKey);
    registry.Write("AddKey", AddKey);
    registry.Write("RunModifierKey", RunModifierKey);
    registry.Write("RunKey", RunKey);
    registry.Write("StartMenuAllUsers", StartMenuAllUsers);
    registry.Write("StartMenuMe", StartMenuMe);
    registry.Write("RecentFiles", RecentFiles);
    registry.Write("MyDocuments", MyDocuments);
    registry.Write("ControlPanel", ControlPanel);
    registry.Write("Desktop", Desktop);
    registry.Write("PackagedApps", PackagedApps);
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
