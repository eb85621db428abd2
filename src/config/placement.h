#pragma once
#include <string>

#include "common/ProgramNames.h"
#include "platform/WindowPlacement.h"

// Keeps a form's placement (position, size, show state) in the per-user registry
// under "Software\Morrowfield\Zephyrix\FormSettings\<form class>", as REG_SZ texts.
class TFormPlacement {
public:
    static constexpr int Version = 0;
    static constexpr const char* IniFileName = FormSettingsKey;

    explicit TFormPlacement(platform::IPlacedWindow& window, std::string section = "TMainForm");

    // Writes the window's placement; skipped until a restore has run.
    void SavePlacement();
    // Applies the stored placement, its size brought to the scale of the monitor it
    // comes back on, and the stored show state.
    void RestorePlacement();

    // The keeper's part of its form's events. An error is reported and the form's
    // own step goes on.
    // Before the form's show handler.
    void FormShow();
    // After the form's close-query handler, with its answer.
    void FormCloseQuery(bool canClose, bool windowExists);
    // Before the form's destroy handler: saves unless a close already did.
    void FormDestroy();

    bool Restored = false;
    bool Saved = false;
    bool Destroying = false;

private:
    void ApplyStoredPosition(class TPlacementStore& store);
    void ApplyStoredState(TPlacementStore& store);
    void PushMaximizedFrameOffScreen();

    platform::IPlacedWindow& window_;
    std::string section_;
};
