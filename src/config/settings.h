#pragma once
#include <cstdint>

inline constexpr const char* SettingsKey = "\\Software\\Morrowfield\\Zephyrix";

// The thirteen user settings: three hotkeys (modifier set with the RegisterHotKey bits,
// virtual-key code) and seven source switches. Callers read and write the fields directly;
// nothing is validated, whatever is set is saved unchanged.
class TConfig {
public:
    std::int32_t ModifierKey = 8; // Windows key
    std::int32_t Key = 74;        // J
    std::int32_t AddModifierKey = 8;
    std::int32_t AddKey = 75; // K
    bool StartMenuMe = true;
    bool StartMenuAllUsers = true;
    bool RecentFiles = true;
    bool MyDocuments = true;
    bool ControlPanel = false;
    bool Desktop = true;
    std::int32_t RunKey = 72; // H
    std::int32_t RunModifierKey = 8;
    bool PackagedApps = true; // the apps of the shell's Applications folder

    // Fills every field from the registry; never fails (unreadable values take their defaults).
    void Load();
    // Writes all thirteen values; throws Exception("Failed to set data for '<name>'") at the first
    // value that cannot be written, leaving the values before it written.
    void Save() const;
};

// The process's settings, loaded from the registry on first use.
TConfig& Config();
// Frees the settings without saving them (shutdown; tests between cases).
void FreeConfig();
