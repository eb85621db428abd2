#pragma once
#include <cstdint>
#include <span>
#include <variant>

#include "common/ProgramNames.h"

// The user settings: the hotkeys (modifier set with the RegisterHotKey bits, virtual-key
// code) and the source switches, each described once in the table Settings. Callers read
// and write the fields directly; nothing is validated, whatever is set is saved unchanged.
class TConfig {
public:
    std::int32_t ModifierKey;
    std::int32_t Key;
    std::int32_t AddModifierKey;
    std::int32_t AddKey;
    bool StartMenuMe;
    bool StartMenuAllUsers;
    bool RecentFiles;
    bool MyDocuments;
    bool ControlPanel;
    bool Desktop;
    std::int32_t RunKey;
    std::int32_t RunModifierKey;
    bool PackagedApps; // the apps of the shell's Applications folder

    // Every field at its default.
    TConfig();
    // Fills every field from the registry; never fails (unreadable values take their defaults).
    void Load();
    // Writes every value of the table; throws Exception("Failed to set data for '<name>'") at the first
    // value that cannot be written, leaving the values before it written.
    void Save() const;
};

// One setting: its registry value (a REG_DWORD), its field and its default.
struct TSetting {
    const char* Name;
    std::variant<std::int32_t TConfig::*, bool TConfig::*> Field;
    std::int32_t Default;
};

// All of them, in the order they are saved. Everything that lists the settings (loading,
// saving, the tests' clean-up and checks) takes the list from here.
extern const std::span<const TSetting> Settings;

// The process's settings, loaded from the registry on first use.
TConfig& Config();
// Frees the settings without saving them (shutdown; tests between cases).
void FreeConfig();
