#include "forms/FormMap.h"
#include "res/resource.h"

namespace forms {

namespace {

// The top strip, 31 high: pnlTopLeft with the edit, pnlTopRight (91 wide) with the
// Go button; below it pnlBottom with the list inside a border of 4.
constexpr int TopHeight = 31;
constexpr int RightWidth = 91;
constexpr int Border = 4;

FormDescription SearchPanel(int dialogId, Size designSize)
{
    return {dialogId,
            {
                {"pnlTop", ControlKind::Panel},
                {"pnlTopRight", ControlKind::Panel},
                {"pnlTopLeft", ControlKind::Panel},
                {"pnlBottom", ControlKind::Panel},
                {"edLaunch", ControlKind::Edit, IDC_EDLAUNCH},
                {"Button1", ControlKind::Button, IDC_BUTTON1},
                {"lbSearch", ControlKind::ListBox, IDC_LBSEARCH},
            },
            {
                // The edit ends 8 short of its panel (width - 99), the Go button is 82 wide.
                {"edLaunch", 0, Near(4), Near(3), Far(RightWidth + 4), Near(24)},
                {"Button1", 0, Far(RightWidth - 6), Near(3), Far(RightWidth - 6 - 82), Near(26)},
                {"lbSearch", 0, Near(Border), Near(TopHeight + Border), Far(Border), Far(Border)},
                {"pnlTop", 0, Near(0), Near(0), Far(0), Near(TopHeight)},
                {"pnlTopRight", 0, Far(RightWidth), Near(0), Far(0), Near(TopHeight)},
                {"pnlBottom", 0, Near(0), Near(TopHeight), Far(0), Far(0)},
                {"pnlTopLeft", 0, Near(0), Near(0), Far(RightWidth), Near(TopHeight)},
            },
            designSize};
}

} // namespace

void AddSearchPanels(FormMap& forms)
{
    forms["TfrmSearchUI"] = SearchPanel(IDD_SEARCHUI, {604, 382});
    forms["TfrmSearchUI"].Controls.push_back({"Clearabbreviation1", ControlKind::ContextMenuItem, IDM_CLEARABBREV});
    forms["TfrmSearchRunningUI"] = SearchPanel(IDD_SEARCHRUNNINGUI, {537, 240});
}

} // namespace forms
