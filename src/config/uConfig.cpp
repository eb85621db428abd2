#include "config/uConfig.h"

#include <iterator>
#include <string>

#include "catalogue/uSearchData.h"
#include "common/Exception.h"
#include "config/SignInStart.h"
#include "config/settings.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {

constexpr int Alt = 1;   // MOD_ALT
constexpr int Ctrl = 2;  // MOD_CONTROL
constexpr int Shift = 4; // MOD_SHIFT
constexpr int Win = 8;   // MOD_WIN

// The rows of "Locations to Search", in the dialog's order (not the settings table's), each
// with the switch it shows. The Control Panel's switch has no row: it is set in the registry only.
struct TLocation {
    const char* Caption;
    bool TConfig::*Switch;
};
constexpr TLocation Locations[] = {
    {"Start Menu (All Users)", &TConfig::StartMenuAllUsers},
    {"Start Menu (Current User)", &TConfig::StartMenuMe},
    {"Desktop", &TConfig::Desktop},
    {"My Documents", &TConfig::MyDocuments},
    {"Recent Files", &TConfig::RecentFiles},
    {"Apps from the Microsoft Store and Windows", &TConfig::PackagedApps},
};

TfrmConfig::TModifierChecks ChecksOf(platform::IForm& form, const std::string& group)
{
    return {form.CheckBox("cb" + group + "Win"), form.CheckBox("cb" + group + "Ctrl"),
            form.CheckBox("cb" + group + "Shift"), form.CheckBox("cb" + group + "Alt")};
}

void FillKeyList(platform::IComboBox& list)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        list.Add(std::string(1, letter), letter); // virtual-key codes 65 to 90
}

// The selected letter's key code. A list with nothing selected opened on a stored code
// outside A to Z, which the list cannot show: that code is kept as it is.
std::int32_t SelectedKey(const platform::IComboBox& list, std::int32_t stored)
{
    const int item = list.ItemIndex();
    return item == platform::IComboBox::NoItem ? stored : static_cast<std::int32_t>(list.Data(item));
}

} // namespace

TfrmConfig::TfrmConfig()
    : Form(platform::Widgets().CreateForm("TfrmConfig")), KeyChecks(ChecksOf(*Form, "Key")),
      AddChecks(ChecksOf(*Form, "Add")), RunChecks(ChecksOf(*Form, "Run")), cbxKey(Form->ComboBox("cbxKey")),
      cbxAdd(Form->ComboBox("cbxAdd")), cbxRun(Form->ComboBox("cbxRun")),
      clbLocationsToSearch(Form->CheckListBox("clbLocationsToSearch")),
      cbStartAtSignIn(Form->CheckBox("cbStartAtSignIn")), Button1(Form->Button("Button1")),
      Button2(Form->Button("Button2"))
{
    Form->SetCaption("Configuration");
    Button1.SetCaption("&Ok");
    Button1.SetDefault(true);
    Button2.SetCaption("&Cancel");
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Form->OnKeyDown = [this](int& key) { FormKeyDown(key); };

    for (const TLocation& location : Locations)
        clbLocationsToSearch.Add(location.Caption);
    FillKeyList(cbxKey);
    FillKeyList(cbxAdd);
    FillKeyList(cbxRun);
    LoadFromConfig();
}

void TfrmConfig::SetModifierChecks(int modifiers, const TModifierChecks& checks)
{
    checks.Win.SetChecked((modifiers & Win) != 0);
    checks.Ctrl.SetChecked((modifiers & Ctrl) != 0);
    checks.Shift.SetChecked((modifiers & Shift) != 0);
    checks.Alt.SetChecked((modifiers & Alt) != 0);
}

int TfrmConfig::GetModifierChecks(const TModifierChecks& checks)
{
    return (checks.Win.Checked() ? Win : 0) | (checks.Ctrl.Checked() ? Ctrl : 0) |
           (checks.Shift.Checked() ? Shift : 0) | (checks.Alt.Checked() ? Alt : 0);
}

void TfrmConfig::SelectKeyItem(int key, platform::IComboBox& list)
{
    for (int item = 0; item < list.Count() && list.ItemIndex() == platform::IComboBox::NoItem; ++item)
        if (list.Data(item) == key)
            list.SetItemIndex(item);
}

void TfrmConfig::LoadFromConfig()
{
    const TConfig& config = Config();
    SetModifierChecks(config.ModifierKey, KeyChecks);
    SelectKeyItem(config.Key, cbxKey);
    SetModifierChecks(config.AddModifierKey, AddChecks);
    SelectKeyItem(config.AddKey, cbxAdd);
    SetModifierChecks(config.RunModifierKey, RunChecks);
    SelectKeyItem(config.RunKey, cbxRun);
    for (int row = 0; row < static_cast<int>(std::size(Locations)); ++row)
        clbLocationsToSearch.SetChecked(row, config.*Locations[row].Switch);
    // The Run entry itself is the state: the installer or the user may have changed it.
    startAtSignInShown_ = SignInStart::IsOn();
    cbStartAtSignIn.SetChecked(startAtSignInShown_);
}

void TfrmConfig::SaveToConfig()
{
    TConfig& config = Config();
    config.ModifierKey = GetModifierChecks(KeyChecks);
    config.Key = SelectedKey(cbxKey, config.Key);
    config.AddModifierKey = GetModifierChecks(AddChecks);
    config.AddKey = SelectedKey(cbxAdd, config.AddKey);
    config.RunModifierKey = GetModifierChecks(RunChecks);
    config.RunKey = SelectedKey(cbxRun, config.RunKey);
    for (int row = 0; row < static_cast<int>(std::size(Locations)); ++row)
        config.*Locations[row].Switch = clbLocationsToSearch.Checked(row);
    config.Save();
    SearchData().Reload();
}

// The Ok result is the button's own: it stands even when saving fails. A sign-in entry
// the system refuses to change is reported, and costs none of the other settings.
void TfrmConfig::Button1Click()
{
    Form->SetModalResult(platform::ModalResultOk);
    platform::RunHandler([this] { SaveStartAtSignIn(); });
    SaveToConfig();
}

// Only a change of the box touches the entry: an unchanged box leaves an entry the
// installer or another copy made pointing where it points.
void TfrmConfig::SaveStartAtSignIn()
{
    const bool wanted = cbStartAtSignIn.Checked();
    if (wanted == startAtSignInShown_)
        return;
    try {
        SignInStart::Set(wanted);
    } catch (const platform::ERegistry& error) {
        startAtSignInShown_ = SignInStart::IsOn();
        cbStartAtSignIn.SetChecked(startAtSignInShown_);
        throw Exception(std::string("The sign-in entry \"") + SignInStart::EntryName + "\" could not be " +
                        (wanted ? "switched on" : "switched off") + ": " + error.what());
    }
    startAtSignInShown_ = wanted;
}

void TfrmConfig::Button2Click()
{
    Form->SetModalResult(platform::ModalResultCancel);
}

void TfrmConfig::FormKeyDown(int& key)
{
    if (key == platform::vk::Escape) {
        Form->SetModalResult(platform::ModalResultCancel);
        key = 0;
    }
}
