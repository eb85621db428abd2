#pragma once
#include <memory>

#include "platform/Widgets.h"

// The modal "Configuration" dialog: the three hotkeys and the five searched
// locations of the settings, and whether the program starts at sign-in. Ok stores
// them, saves them and rebuilds the catalogue; Cancel changes nothing.
// "ControlPanel" is not offered.
class TfrmConfig {
public:
    // Builds the form, fills the key lists and loads the settings into it.
    TfrmConfig();
    TfrmConfig(const TfrmConfig&) = delete;
    TfrmConfig& operator=(const TfrmConfig&) = delete;

    int ShowModal() { return Form->ShowModal(); }

    void LoadFromConfig();
    void SaveToConfig();
    // Writes or removes the sign-in entry when the box was changed; a refusal puts the
    // box back to the entry's real state and throws, naming the entry and the reason.
    void SaveStartAtSignIn();
    void Button1Click();
    void Button2Click();
    void FormKeyDown(int& key);

    // The four boxes of a group, in the order Windows, Ctrl, Shift, Alt.
    struct TModifierChecks {
        platform::ICheckBox& Win;
        platform::ICheckBox& Ctrl;
        platform::ICheckBox& Shift;
        platform::ICheckBox& Alt;
    };
    static void SetModifierChecks(int modifiers, const TModifierChecks& checks);
    static int GetModifierChecks(const TModifierChecks& checks);
    static void SelectKeyItem(int key, platform::IComboBox& list);

    std::unique_ptr<platform::IForm> Form;
    TModifierChecks KeyChecks;
    TModifierChecks AddChecks;
    TModifierChecks RunChecks;
    platform::IComboBox& cbxKey;
    platform::IComboBox& cbxAdd;
    platform::IComboBox& cbxRun;
    platform::ICheckListBox& clbLocationsToSearch;
    platform::ICheckBox& cbStartAtSignIn;
    platform::IButton& Button1;
    platform::IButton& Button2;

private:
    bool startAtSignInShown_ = false; // what the box showed when loaded or last saved
};
