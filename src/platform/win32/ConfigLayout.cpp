#include "platform/win32/ConfigLayout.h"

#include "platform/win32/ChoiceControls.h"
#include "platform/win32/Controls.h"
#include "res/resource.h"

namespace platform::win32 {

namespace {

void Place(HWND window, int x, int y, int width, int height)
{
    if (window != nullptr)
        SetWindowPos(window, nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

// The template ids of one hotkey group's controls; the last group has no line below it.
struct HotkeyGroup {
    int Title, Pick, Win, Ctrl, Shift, Alt, KeyLabel, Keys, Line;
};

constexpr HotkeyGroup HotkeyGroups[] = {
    {IDC_KEYTITLE, IDC_KEYPICK, IDC_CBKEYWIN, IDC_CBKEYCTRL, IDC_CBKEYSHIFT, IDC_CBKEYALT, IDC_KEYLETTER, IDC_CBXKEY,
     IDC_KEYLINE},
    {IDC_ADDTITLE, IDC_ADDPICK, IDC_CBADDWIN, IDC_CBADDCTRL, IDC_CBADDSHIFT, IDC_CBADDALT, IDC_ADDLETTER, IDC_CBXADD,
     IDC_ADDLINE},
    {IDC_RUNTITLE, IDC_RUNPICK, IDC_CBRUNWIN, IDC_CBRUNCTRL, IDC_CBRUNSHIFT, IDC_CBRUNALT, IDC_RUNLETTER, IDC_CBXRUN,
     0},
};

} // namespace

void LayOutConfigForm(Win32PageControl& pages, HWND ok, HWND cancel, int width, int height)
{
    constexpr int Border = 6;
    constexpr int StripHeight = 33;
    constexpr int ButtonWidth = 75;
    constexpr int ButtonHeight = 25;
    constexpr int Gap = 8;
    const int stripTop = height - Border - StripHeight;
    const int buttonTop = stripTop + (StripHeight - ButtonHeight) / 2 + 2;
    const int cancelLeft = width - Border - ButtonWidth;
    pages.Place(RECT{Border, Border, width - Border, stripTop});
    Place(ok, cancelLeft - Gap - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
    Place(cancel, cancelLeft, buttonTop, ButtonWidth, ButtonHeight);
}

// Each group: the bold title, the modifier boxes in a column under their label on
// the left, the key list under its label on the right.
void LayOutHotkeyGroups(HWND page, int width)
{
    constexpr int GroupHeight = 140;
    constexpr int LineHeight = 2;
    constexpr int BoxWidth = 150;
    constexpr int BoxHeight = 17;
    constexpr int KeysLeft = 220;
    constexpr int KeysWidth = 90;
    constexpr int DroppedHeight = 220; // a combo box's height includes its open list
    int top = 0;
    for (const HotkeyGroup& group : HotkeyGroups) {
        Place(GetDlgItem(page, group.Title), 8, top + 8, width - 16, 16);
        Place(GetDlgItem(page, group.Pick), 16, top + 30, KeysLeft - 24, 15);
        const int boxes[] = {group.Win, group.Ctrl, group.Shift, group.Alt};
        for (int row = 0; row < 4; ++row)
            Place(GetDlgItem(page, boxes[row]), 24, top + 48 + row * (BoxHeight + 1), BoxWidth, BoxHeight);
        Place(GetDlgItem(page, group.KeyLabel), KeysLeft, top + 30, width - KeysLeft - 8, 15);
        Place(GetDlgItem(page, group.Keys), KeysLeft, top + 47, KeysWidth, DroppedHeight);
        if (group.Line != 0)
            Place(GetDlgItem(page, group.Line), 8, top + GroupHeight - LineHeight, width - 16, LineHeight);
        top += GroupHeight;
    }
}

void LayOutLocationsToSearch(Win32CheckListBox& list, int width, int height)
{
    constexpr int Border = 8;
    list.Place(Border, Border, width - 2 * Border, height - 2 * Border);
}

} // namespace platform::win32
