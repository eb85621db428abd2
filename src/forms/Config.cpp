#include "forms/FormMap.h"
#include "res/resource.h"

namespace forms {

namespace {

// The template ids of one hotkey group's controls.
struct HotkeyGroup {
    const char* Name;
    int Title, Pick, Win, Ctrl, Shift, Alt, KeyLabel, Keys, Line;
};

constexpr HotkeyGroup HotkeyGroups[] = {
    {"Key", IDC_KEYTITLE, IDC_KEYPICK, IDC_CBKEYWIN, IDC_CBKEYCTRL, IDC_CBKEYSHIFT, IDC_CBKEYALT, IDC_KEYLETTER,
     IDC_CBXKEY, IDC_KEYLINE},
    {"Add", IDC_ADDTITLE, IDC_ADDPICK, IDC_CBADDWIN, IDC_CBADDCTRL, IDC_CBADDSHIFT, IDC_CBADDALT, IDC_ADDLETTER,
     IDC_CBXADD, IDC_ADDLINE},
    {"Run", IDC_RUNTITLE, IDC_RUNPICK, IDC_CBRUNWIN, IDC_CBRUNCTRL, IDC_CBRUNSHIFT, IDC_CBRUNALT, IDC_RUNLETTER,
     IDC_CBXRUN, IDC_RUNLINE},
};

// "General Setup": each group has its bold title, the modifier boxes in a column
// under their label on the left and the key list under its label on the right;
// groups of 140 pixels stacked from the top, each with a line below it; under
// them the box that starts the program at sign-in.
FormDescription GeneralPage()
{
    constexpr int GroupHeight = 140;
    constexpr int BoxWidth = 150;
    constexpr int BoxHeight = 17;
    constexpr int KeysLeft = 220;
    constexpr int KeysWidth = 90;
    constexpr int DroppedHeight = 220; // a combo box's height includes its open list
    constexpr int SignInHeight = 32;
    FormDescription page{IDD_CONFIGGENERAL, {}, {}, {453, 3 * GroupHeight + SignInHeight}};
    int top = 0;
    for (const HotkeyGroup& group : HotkeyGroups) {
        const std::string name = group.Name;
        const std::string boxes[] = {"cb" + name + "Win", "cb" + name + "Ctrl", "cb" + name + "Shift",
                                     "cb" + name + "Alt"};
        const int ids[] = {group.Win, group.Ctrl, group.Shift, group.Alt};
        page.Layout.push_back({"", group.Title, Near(8), Near(top + 8), Far(8), Near(top + 24)});
        page.Layout.push_back({"", group.Pick, Near(16), Near(top + 30), Near(KeysLeft - 8), Near(top + 45)});
        for (int row = 0; row < 4; ++row) {
            const int boxTop = top + 48 + row * (BoxHeight + 1);
            page.Controls.push_back({boxes[row], ControlKind::CheckBox, ids[row]});
            page.Layout.push_back({boxes[row], 0, Near(24), Near(boxTop), Near(24 + BoxWidth), Near(boxTop + BoxHeight)});
        }
        page.Controls.push_back({"cbx" + name, ControlKind::ComboBox, group.Keys});
        page.Layout.push_back({"", group.KeyLabel, Near(KeysLeft), Near(top + 30), Far(8), Near(top + 45)});
        page.Layout.push_back(
            {"cbx" + name, 0, Near(KeysLeft), Near(top + 47), Near(KeysLeft + KeysWidth), Near(top + 47 + DroppedHeight)});
        if (group.Line != 0)
            page.Layout.push_back({"", group.Line, Near(8), Near(top + GroupHeight - 2), Far(8), Near(top + GroupHeight)});
        page.BoldLabels.push_back(group.Title);
        top += GroupHeight;
    }
    page.Controls.push_back({"cbStartAtSignIn", ControlKind::CheckBox, IDC_CBSTARTATSIGNIN});
    page.Layout.push_back({"cbStartAtSignIn", 0, Near(8), Near(top + 8), Far(8), Near(top + 8 + BoxHeight)});
    return page;
}

} // namespace

// "Configuration": its pages above a strip with Ok left of Cancel at its right.
void AddConfig(FormMap& forms)
{
    constexpr int Border = 6;
    constexpr int StripHeight = 33;
    constexpr int ButtonWidth = 75;
    constexpr int ButtonHeight = 25;
    constexpr int Gap = 8;
    // The buttons sit centred in the strip, 2 lower; measured from the bottom.
    constexpr int ButtonTop = Border + StripHeight - (StripHeight - ButtonHeight) / 2 - 2;
    constexpr int ButtonBottom = ButtonTop - ButtonHeight;
    constexpr int CancelLeft = Border + ButtonWidth;
    forms["TConfigGeneralPage"] = GeneralPage();
    forms["TConfigLocationsPage"] = {IDD_CONFIGLOCATIONS,
                                     {{"clbLocationsToSearch", ControlKind::CheckListBox, IDC_CLBLOCATIONS}},
                                     {{"clbLocationsToSearch", 0, Near(8), Near(8), Far(8), Far(8)}},
                                     {453, 452}};
    forms["TfrmConfig"] = {
        IDD_CONFIG,
        {
            {"PageControl1",
             ControlKind::PageControl,
             IDC_PAGECONTROL1,
             "",
             {{"General Setup", "TConfigGeneralPage"}, {"Locations to Search", "TConfigLocationsPage"}}},
            {"Button1", ControlKind::Button, IDC_CONFIGOK},
            {"Button2", ControlKind::Button, IDC_CONFIGCANCEL},
        },
        {
            {"PageControl1", 0, Near(Border), Near(Border), Far(Border), Far(Border + StripHeight)},
            {"Button1", 0, Far(CancelLeft + Gap + ButtonWidth), Far(ButtonTop), Far(CancelLeft + Gap), Far(ButtonBottom)},
            {"Button2", 0, Far(CancelLeft), Far(ButtonTop), Far(Border), Far(ButtonBottom)},
        },
        {473, 526}, // 494 for the hotkeys and locations, 32 more for the sign-in box
        FirstSize::Client};
}

} // namespace forms
