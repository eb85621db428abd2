#pragma once
#include <string>
#include <vector>

// Each form described once, for both platforms: its named controls with their
// template ids, its pages, the size it is designed at and where its controls go
// when it is sized. Windows binds the dialog template in res/zephyrix.rc by these
// ids; the simulator makes its widgets from the same list.
namespace forms {

enum class ControlKind {
    Edit,
    ListBox,
    Button,
    Panel,           // an area the layout computes; no window of its own
    ContextMenuItem, // an item of the menu of the form's list
    MenuItem,        // an item of the window's menu
    PageControl,
    Frame,
    CheckBox,
    ComboBox,
    CheckListBox,
};

struct Page {
    std::string Caption;
    std::string FormClass; // the page's own description; its controls are the form's
};

struct Control {
    std::string Name;
    ControlKind Kind;
    int Id = 0;               // control or command id in the template; 0 for a panel
    std::string FrameClass{}; // a frame: the class whose form it holds
    std::vector<Page> Pages{}; // a page control: its pages in order
};

// Every size in a description is in pixels at 96 pixels per inch; a window drawn at
// another scale (144 at 150 %, 192 at 200 %) gets them scaled here, and only here.
constexpr int DesignDpi = 96;
constexpr int Scaled(int pixels, int dpi)
{
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    const long long product = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((product >= 0 ? product + DesignDpi / 2 : product - DesignDpi / 2) / DesignDpi);
}

// Where one side of a control sits: so many pixels in from the container's near
// side (left or top) or from its far side (right or bottom).
struct Edge {
    int Offset;
    bool FromFar;
    int At(int extent, int dpi = DesignDpi) const
    {
        const int offset = Scaled(Offset, dpi);
        return FromFar ? extent - offset : offset;
    }
};
constexpr Edge Near(int offset) { return {offset, false}; }
constexpr Edge Far(int offset) { return {offset, true}; }

struct Rect {
    int Left, Top, Right, Bottom;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

// One rule of a form's layout, in the manner of a dialog sizer: a control whose
// sides follow the container's. A panel only takes the width.
struct Anchor {
    std::string Control; // a named control or panel...
    int Id;              // ...or, with an empty name, an unnamed one of the template (a label, a line)
    Edge Left, Top, Right, Bottom;
    // Its place in a container of this size (in the window's own pixels) drawn at dpi.
    Rect In(int width, int height, int dpi = DesignDpi) const
    {
        return {Left.At(width, dpi), Top.At(height, dpi), Right.At(width, dpi), Bottom.At(height, dpi)};
    }
};

struct Size {
    int Width = 0;
    int Height = 0;
    Size At(int dpi) const { return {Scaled(Width, dpi), Scaled(Height, dpi)}; }
};

// How a top-level form takes its design size on Windows when it is made.
enum class FirstSize {
    Template, // the template's own size
    Outer,    // the window's outer size
    Client,   // its client area's
};

struct FormDescription {
    int DialogId;
    std::vector<Control> Controls;
    std::vector<Anchor> Layout{}; // applied in order; panels last, as their handlers place other controls
    // The client size the form is designed at: the simulator lays its controls out at
    // this size, and a top-level form starts at it on Windows as FirstSize says.
    Size DesignSize{};
    FirstSize First = FirstSize::Template;
    bool MainWindow = false;     // the application's main window: owned by no other
    std::vector<int> BoldLabels{}; // static texts shown in the bold face of the dialog's font
};

// A form that places its controls itself (by rules, or from a design size) scales them
// itself too; one that keeps its template's size and places is scaled by Windows.
inline bool LaysItselfOut(const FormDescription& form)
{
    return !form.Layout.empty() || form.First != FirstSize::Template;
}

// A row of a list starts with a small icon: 16 pixels at 96 pixels per inch, 24 at 144,
// 32 at 192, drawn at that size (not a small one stretched), one pixel from the row's edges.
constexpr int ListIconSize = 16;
constexpr int ListIconSizeAt(int dpi)
{
    return Scaled(ListIconSize, dpi);
}
constexpr int ListIconMargin = 1;

// Lists show rows of this height in pixels at 96 pixels per inch for a line of text,
// higher where the icon needs it.
constexpr int ListRowHeight = 13;
constexpr int ListRowHeightAt(int dpi)
{
    const int text = Scaled(ListRowHeight, dpi);
    const int icon = ListIconSizeAt(dpi) + 2 * ListIconMargin;
    return text > icon ? text : icon;
}

// Throws for a class that has no description.
const FormDescription& FindForm(const std::string& className);

} // namespace forms
