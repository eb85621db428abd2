#include "platform/win32/FormTemplates.h"

#include <map>

#include "common/Exception.h"
#include "res/resource.h"

namespace platform::win32 {

namespace {

ControlTemplate Control(std::string name, ControlKind kind, int id = 0)
{
    return ControlTemplate{std::move(name), kind, id, {}, {}};
}

ControlTemplate FrameOf(std::string name, std::string frameClass)
{
    return ControlTemplate{std::move(name), ControlKind::Frame, IDC_FRAME1, std::move(frameClass), {}};
}

std::vector<ControlTemplate> SearchPanelControls()
{
    return {
        Control("pnlTop", ControlKind::Panel),
        Control("pnlTopRight", ControlKind::Panel),
        Control("pnlTopLeft", ControlKind::Panel),
        Control("pnlBottom", ControlKind::Panel),
        Control("edLaunch", ControlKind::Edit, IDC_EDLAUNCH),
        Control("Button1", ControlKind::Button, IDC_BUTTON1),
        Control("lbSearch", ControlKind::ListBox, IDC_LBSEARCH),
    };
}

std::map<std::string, FormTemplate> MakeTemplates()
{
    std::map<std::string, FormTemplate> forms;

    forms["TfrmSearchUI"] = {IDD_SEARCHUI, LayoutKind::SearchPanel, SearchPanelControls()};
    forms["TfrmSearchUI"].Controls.push_back(
        Control("Clearabbreviation1", ControlKind::ContextMenuItem, IDM_CLEARABBREV));
    forms["TfrmSearchRunningUI"] = {IDD_SEARCHRUNNINGUI, LayoutKind::SearchPanel, SearchPanelControls()};

    forms["TfrmSelector"] = {IDD_SELECTOR, LayoutKind::Selector, {FrameOf("frmSearchUI1", "TfrmSearchUI")}, 587, 338, true};
    forms["TfrmAbout"] = {IDD_ABOUT, LayoutKind::None, {Control("btnOK", ControlKind::Button, IDC_BTNOK)}};

    // The pages are child dialogs of the main window; their controls are the window's.
    forms["TLaunchPage"] = {IDD_LAUNCHPAGE, LayoutKind::FillFrame, {FrameOf("frmSearchUI1", "TfrmSearchUI")}};
    forms["TAddItemsPage"] = {IDD_ADDITEMSPAGE,
                              LayoutKind::AddItemsPage,
                              {Control("pnlTopMiddle", ControlKind::Panel),
                               Control("edClipboard", ControlKind::Edit, IDC_EDCLIPBOARD),
                               Control("SpeedButton1", ControlKind::Button, IDC_SPEEDBUTTON1),
                               Control("pnlButtons", ControlKind::Panel),
                               Control("btnLaunchFile", ControlKind::Button, IDC_BTNLAUNCHFILE),
                               Control("btnLaunchAsStartIn", ControlKind::Button, IDC_BTNLAUNCHASSTARTIN),
                               Control("btnLaunchAsParam", ControlKind::Button, IDC_BTNLAUNCHASPARAM)}};
    forms["TRunningPage"] = {IDD_RUNNINGPAGE, LayoutKind::FillFrame,
                             {FrameOf("frmSearchRunningUI1", "TfrmSearchRunningUI")}};

    ControlTemplate pages = Control("pcMain", ControlKind::PageControl, IDC_PCMAIN);
    pages.Pages = {{"Launch!", "TLaunchPage"}, {"Add items to Launch!", "TAddItemsPage"}, {"Running Programs", "TRunningPage"}};
    forms["TMainForm"] = {IDD_MAIN,
                          LayoutKind::MainWindow,
                          {pages, Control("Options1", ControlKind::MenuItem, IDM_OPTIONS),
                           Control("Exit1", ControlKind::MenuItem, IDM_EXIT),
                           Control("Help2", ControlKind::MenuItem, IDM_HELP),
                           Control("About1", ControlKind::MenuItem, IDM_ABOUT)},
                          696,
                          470};
    return forms;
}

} // namespace

const FormTemplate& FindFormTemplate(const std::string& className)
{
    static const auto forms = MakeTemplates();
    const auto found = forms.find(className);
    if (found == forms.end())
        throw Exception("There is no form description for " + className);
    return found->second;
}

} // namespace platform::win32
