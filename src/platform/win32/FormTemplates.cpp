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

std::vector<ControlTemplate> HotkeyGroupControls()
{
    struct Group {
        const char* Name;
        int Win, Ctrl, Shift, Alt, Keys;
    };
    const Group groups[] = {{"Key", IDC_CBKEYWIN, IDC_CBKEYCTRL, IDC_CBKEYSHIFT, IDC_CBKEYALT, IDC_CBXKEY},
                            {"Add", IDC_CBADDWIN, IDC_CBADDCTRL, IDC_CBADDSHIFT, IDC_CBADDALT, IDC_CBXADD},
                            {"Run", IDC_CBRUNWIN, IDC_CBRUNCTRL, IDC_CBRUNSHIFT, IDC_CBRUNALT, IDC_CBXRUN}};
    std::vector<ControlTemplate> controls;
    for (const Group& group : groups) {
        const std::string name = group.Name;
        controls.push_back(Control("cb" + name + "Win", ControlKind::CheckBox, group.Win));
        controls.push_back(Control("cb" + name + "Ctrl", ControlKind::CheckBox, group.Ctrl));
        controls.push_back(Control("cb" + name + "Shift", ControlKind::CheckBox, group.Shift));
        controls.push_back(Control("cb" + name + "Alt", ControlKind::CheckBox, group.Alt));
        controls.push_back(Control("cbx" + name, ControlKind::ComboBox, group.Keys));
    }
    return controls;
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

    // The options dialog; its pages' controls are the form's, as the main window's are.
    forms["TConfigGeneralPage"] = {IDD_CONFIGGENERAL, LayoutKind::HotkeyGroups, HotkeyGroupControls()};
    forms["TConfigGeneralPage"].BoldLabels = {IDC_KEYTITLE, IDC_ADDTITLE, IDC_RUNTITLE};
    forms["TConfigLocationsPage"] = {IDD_CONFIGLOCATIONS,
                                     LayoutKind::LocationsToSearch,
                                     {Control("clbLocationsToSearch", ControlKind::CheckListBox, IDC_CLBLOCATIONS)}};
    ControlTemplate configPages = Control("PageControl1", ControlKind::PageControl, IDC_PAGECONTROL1);
    configPages.Pages = {{"General Setup", "TConfigGeneralPage"}, {"Locations to Search", "TConfigLocationsPage"}};
    forms["TfrmConfig"] = {IDD_CONFIG,
                           LayoutKind::Config,
                           {configPages, Control("Button1", ControlKind::Button, IDC_CONFIGOK),
                            Control("Button2", ControlKind::Button, IDC_CONFIGCANCEL)},
                           473,
                           494,
                           true};
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
