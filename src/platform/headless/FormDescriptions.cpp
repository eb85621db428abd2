#include <map>
#include <string>

#include "common/Exception.h"
#include "platform/headless/Widgets.h"

namespace platform::headless {

namespace {

ControlDescription Control(std::string name, ControlKind kind, int width = 0)
{
    return ControlDescription{std::move(name), kind, width, {}, 0};
}

ControlDescription List(std::string name, int width, int pageSize)
{
    return ControlDescription{std::move(name), ControlKind::ListBox, width, {}, pageSize};
}

ControlDescription FrameOf(std::string name, std::string frameClass, int width)
{
    return ControlDescription{std::move(name), ControlKind::Frame, width, std::move(frameClass), 0};
}

// The search panels' common layout: an edit and a Go button above a list.
std::vector<ControlDescription> SearchPanel(int width, int listPageSize)
{
    return {
        Control("pnlTop", ControlKind::Panel, width),
        Control("pnlTopRight", ControlKind::Panel, 91),
        Control("Button1", ControlKind::Button, 82),
        Control("pnlTopLeft", ControlKind::Panel, width - 91),
        Control("edLaunch", ControlKind::Edit, width - 99),
        Control("pnlBottom", ControlKind::Panel, width),
        List("lbSearch", width - 8, listPageSize),
    };
}

std::vector<ControlDescription> AddItemsPage()
{
    return {
        Control("pnlTopMiddle", ControlKind::Panel, 680 - 110 - 64),
        Control("edClipboard", ControlKind::Edit, 680 - 110 - 64 - 12),
        Control("SpeedButton1", ControlKind::Button, 57),
        Control("pnlButtons", ControlKind::Panel, 680),
        Control("btnLaunchFile", ControlKind::Button, 672),
        Control("btnLaunchAsStartIn", ControlKind::Button, 672),
        Control("btnLaunchAsParam", ControlKind::Button, 672),
    };
}

std::map<std::string, std::vector<ControlDescription>> MakeDescriptions()
{
    std::map<std::string, std::vector<ControlDescription>> forms;

    // Lists show 13-pixel rows.
    forms["TfrmSearchUI"] = SearchPanel(604, (382 - 31 - 8) / 13);
    forms["TfrmSearchUI"].push_back(Control("Clearabbreviation1", ControlKind::MenuItem));

    forms["TfrmSearchRunningUI"] = SearchPanel(537, (240 - 31 - 8) / 13);

    forms["TfrmSelector"] = {FrameOf("frmSearchUI1", "TfrmSearchUI", 577)};

    // The main window's "Add items to Launch!" page: 696 wide less the window's borders.
    forms["TAddItemsPage"] = AddItemsPage();

    auto& config = forms["TfrmConfig"];
    for (const char* group : {"Key", "Add", "Run"}) {
        for (const char* modifier : {"Win", "Ctrl", "Shift", "Alt"})
            config.push_back(Control(std::string("cb") + group + modifier, ControlKind::CheckBox, 97));
    }
    for (const char* list : {"cbxKey", "cbxAdd", "cbxRun"})
        config.push_back(Control(list, ControlKind::ComboBox, 145));
    config.push_back(Control("clbLocationsToSearch", ControlKind::CheckListBox, 441));
    config.push_back(Control("Button1", ControlKind::Button, 75));
    config.push_back(Control("Button2", ControlKind::Button, 75));
    forms["TfrmAbout"] = {Control("btnOK", ControlKind::Button, 75)};

    // The main window: its three pages' controls are the window's own.
    auto& main = forms["TMainForm"];
    main = {
        ControlDescription{"pcMain", ControlKind::PageControl, 688, {}, 3},
        FrameOf("frmSearchUI1", "TfrmSearchUI", 672),
        FrameOf("frmSearchRunningUI1", "TfrmSearchRunningUI", 672),
        Control("Options1", ControlKind::MenuItem),
        Control("Exit1", ControlKind::MenuItem),
        Control("Help2", ControlKind::MenuItem),
        Control("About1", ControlKind::MenuItem),
    };
    for (auto& control : AddItemsPage())
        main.push_back(std::move(control));
    return forms;
}

} // namespace

const std::vector<ControlDescription>& FormDescription(const std::string& className)
{
    static const auto forms = MakeDescriptions();
    const auto found = forms.find(className);
    if (found == forms.end())
        throw Exception("There is no form description for " + className);
    return found->second;
}

} // namespace platform::headless
