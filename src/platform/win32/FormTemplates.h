#pragma once
#include <string>
#include <utility>
#include <vector>

namespace platform::win32 {

enum class ControlKind { Edit, ListBox, Button, Panel, ContextMenuItem, MenuItem, PageControl, Frame };

// How a form or frame places its controls when it is sized (in pixels).
enum class LayoutKind { None, SearchPanel, FillFrame, Selector, MainWindow, AddItemsPage };

// One named control of a dialog template in res/zephyrix.rc. Panels have no window
// of their own: they are the areas the layout computes. Context-menu items belong
// to the list of the same template; menu items to the window's menu.
struct ControlTemplate {
    std::string Name;
    ControlKind Kind;
    int Id = 0;              // control or command id; 0 for a panel
    std::string FrameClass;  // a frame: the class whose template it holds
    std::vector<std::pair<std::string, std::string>> Pages; // a page control: (caption, page class), in order
};

struct FormTemplate {
    int DialogId;
    LayoutKind Layout;
    std::vector<ControlTemplate> Controls;
    // A top-level form's first size in pixels, 0 to keep the template's; the
    // window's outer size, or its client area's when ClientSize holds.
    int Width = 0;
    int Height = 0;
    bool ClientSize = false;
};

// Throws for a class that has no template.
const FormTemplate& FindFormTemplate(const std::string& className);

} // namespace platform::win32
