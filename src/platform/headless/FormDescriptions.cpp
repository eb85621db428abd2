#include <map>

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

std::map<std::string, std::vector<ControlDescription>> MakeDescriptions()
{
    std::map<std::string, std::vector<ControlDescription>> forms;

    // Lists show 13-pixel rows.
    forms["TfrmSearchUI"] = SearchPanel(604, (382 - 31 - 8) / 13);
    forms["TfrmSearchUI"].push_back(Control("Clearabbreviation1", ControlKind::MenuItem));

    forms["TfrmSearchRunningUI"] = SearchPanel(537, (240 - 31 - 8) / 13);

    forms["TfrmSelector"] = {FrameOf("frmSearchUI1", "TfrmSearchUI", 577)};
    forms["TfrmAbout"] = {Control("btnOK", ControlKind::Button, 75)};

    // The main window: its three pages' controls are the window's own.
    forms["TMainForm"] = {
        ControlDescription{"pcMain", ControlKind::PageControl, 688, {}, 3},
        FrameOf("frmSearchUI1", "TfrmSearchUI", 672),
        Control("edClipboard", ControlKind::Edit, 660),
        FrameOf("frmSearchRunningUI1", "TfrmSearchRunningUI", 672),
        Control("Options1", ControlKind::MenuItem),
        Control("Exit1", ControlKind::MenuItem),
        Control("Help2", ControlKind::MenuItem),
        Control("About1", ControlKind::MenuItem),
    };
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
