#include "forms/FormMap.h"
#include "res/resource.h"

namespace forms {

namespace {

// A page that holds one search panel over its whole area.
FormDescription FramePage(int dialogId, const char* frameName, const char* frameClass)
{
    return {dialogId,
            {{frameName, ControlKind::Frame, IDC_FRAME1, frameClass}},
            {{frameName, 0, Near(0), Near(0), Far(0), Far(0)}},
            {672, 400}};
}

// "Add items to Launch!": the top row holds a 110-pixel caption, pnlTopMiddle with
// the edit and a 64-pixel column with "Browse"; the explanation under it; then
// pnlButtons with the three operations stacked, 42 high and 4 apart.
constexpr int CaptionWidth = 110;
constexpr int BrowseWidth = 64;

std::vector<Anchor> AddItemsLayout()
{
    constexpr int ButtonsTop = 75;
    constexpr int ButtonHeight = 42;
    std::vector<Anchor> layout = {
        // The caption may reach up to the edit: fonts differ between systems, and a
        // wider one must not wrap "Clipboard contents:" onto a hidden second line.
        {"", IDC_CLIPBOARDCAPTION, Near(2), Near(8), Near(CaptionWidth + 4), Near(24)},
        {"edClipboard", 0, Near(CaptionWidth + 6), Near(5), Far(BrowseWidth + 6), Near(26)},
        {"SpeedButton1", 0, Far(BrowseWidth - 3), Near(4), Far(4), Near(26)},
        {"", IDC_LBLEXPLAIN, Near(4), Near(34), Far(4), Near(66)},
    };
    int top = ButtonsTop;
    for (const char* name : {"btnLaunchFile", "btnLaunchAsStartIn", "btnLaunchAsParam"}) {
        layout.push_back({name, 0, Near(4), Near(top), Far(4), Near(top + ButtonHeight)});
        top += ButtonHeight + 4;
    }
    layout.push_back({"pnlTopMiddle", 0, Near(CaptionWidth), Near(0), Far(BrowseWidth), Near(31)});
    layout.push_back({"pnlButtons", 0, Near(0), Near(ButtonsTop - 5), Far(0), Far(0)});
    return layout;
}

} // namespace

void AddMainForm(FormMap& forms)
{
    // The pages are child dialogs of the main window; their controls are the window's.
    forms["TLaunchPage"] = FramePage(IDD_LAUNCHPAGE, "frmSearchUI1", "TfrmSearchUI");
    forms["TRunningPage"] = FramePage(IDD_RUNNINGPAGE, "frmSearchRunningUI1", "TfrmSearchRunningUI");
    forms["TAddItemsPage"] = {IDD_ADDITEMSPAGE,
                              {
                                  {"pnlTopMiddle", ControlKind::Panel},
                                  {"edClipboard", ControlKind::Edit, IDC_EDCLIPBOARD},
                                  {"SpeedButton1", ControlKind::Button, IDC_SPEEDBUTTON1},
                                  {"pnlButtons", ControlKind::Panel},
                                  {"btnLaunchFile", ControlKind::Button, IDC_BTNLAUNCHFILE},
                                  {"btnLaunchAsStartIn", ControlKind::Button, IDC_BTNLAUNCHASSTARTIN},
                                  {"btnLaunchAsParam", ControlKind::Button, IDC_BTNLAUNCHASPARAM},
                              },
                              AddItemsLayout(),
                              {680, 400}};

    forms["TMainForm"] = {IDD_MAIN,
                          {
                              {"pcMain",
                               ControlKind::PageControl,
                               IDC_PCMAIN,
                               "",
                               {{"Launch!", "TLaunchPage"},
                                {"Add items to Launch!", "TAddItemsPage"},
                                {"Running Programs", "TRunningPage"}}},
                              {"Options1", ControlKind::MenuItem, IDM_OPTIONS},
                              {"Exit1", ControlKind::MenuItem, IDM_EXIT},
                              {"Help2", ControlKind::MenuItem, IDM_HELP},
                              {"About1", ControlKind::MenuItem, IDM_ABOUT},
                          },
                          {{"pcMain", 0, Near(4), Near(4), Far(4), Far(4)}},
                          {696, 470},
                          FirstSize::Outer,
                          true};
}

} // namespace forms
