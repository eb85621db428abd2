#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Virtual-key codes the forms look at (the Windows values).
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Up = 38;
constexpr int Down = 40;
} // namespace vk

// Results of a modal dialog.
constexpr int ModalResultNone = 0;
constexpr int ModalResultOk = 1;
constexpr int ModalResultCancel = 2;

// A notification from a control. Unset events are skipped.
using Event = std::function<void()>;

// What every control offers the forms.
class IControl {
public:
    virtual ~IControl() = default;
    virtual void SetFocus() = 0;
    virtual bool Focused() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;
};

class IPanel : public IControl {
public:
    Event OnResize;
};

// A single-line edit.
class IEdit : public IControl {
public:
    virtual std::string Text() const = 0;
    // Fires OnChange only when the text really changes.
    virtual void SetText(const std::string& text) = 0;
    Event OnChange;
};

class IButton : public IControl {
public:
    virtual void SetCaption(const std::string& caption) = 0;
    // The default button is pressed by Enter anywhere in its form.
    virtual void SetDefault(bool isDefault) = 0;
    Event OnClick;
};

// An item of a control's context menu.
class IMenuItem {
public:
    virtual ~IMenuItem() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    Event OnClick;
};

// One row of a list: its text and an opaque reference that the list does not own.
struct ListRow {
    std::string Text;
    std::uintptr_t Data = 0;
};

// A single-selection list. The rows live in the widget's own memory, so a list
// of a whole catalogue is filled without any call per row to the window system:
// between BeginUpdate and EndUpdate nothing is drawn, and the Windows list is
// virtual (it is told the row count once at EndUpdate).
class IListBox : public IControl {
public:
    static constexpr int NoRow = -1;

    virtual int Count() const = 0;
    virtual const std::string& Text(int row) const = 0;
    virtual std::uintptr_t Data(int row) const = 0;
    virtual void Add(ListRow row) = 0;
    // Appends many rows at once.
    virtual void AddRows(std::vector<ListRow> rows) = 0;
    virtual void SetText(int row, std::string text) = 0;
    // Removes every row; nothing is selected afterwards.
    virtual void Clear() = 0;

    virtual int ItemIndex() const = 0;
    // NoRow clears the selection; an index out of range is ignored.
    virtual void SetItemIndex(int row) = 0;

    // Nested; the list is redrawn once when the outermost update ends.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

    // Handles a key as if it had come from the keyboard while the list had the focus.
    virtual void KeyDown(int key) = 0;

    Event OnSelect; // the user moved the selection (keys or mouse), not a call of SetItemIndex
    Event OnDblClick;
};

// Holds off a list's redrawing for the life of the object, also when an error leaves the scope.
class ListUpdate {
public:
    explicit ListUpdate(IListBox& list) : list_(list) { list_.BeginUpdate(); }
    ~ListUpdate() { list_.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    IListBox& list_;
};

// A window that holds named controls: a form, or a frame placed inside one.
class IContainer {
public:
    virtual ~IContainer() = default;
    // Each raises an error when the form description has no control of that name and kind.
    virtual IEdit& Edit(const std::string& name) = 0;
    virtual IListBox& ListBox(const std::string& name) = 0;
    virtual IButton& Button(const std::string& name) = 0;
    virtual IPanel& Panel(const std::string& name) = 0;
    virtual IMenuItem& MenuItem(const std::string& name) = 0;
    virtual IContainer& Frame(const std::string& name) = 0;
};

// A top-level form. The key handler previews every key before the focused control
// sees it and may consume it by setting it to 0.
class IForm : public IContainer {
public:
    virtual void SetCaption(const std::string& caption) = 0;
    // Shows the form modally and returns its modal result once one is set
    // (Cancel when the user closes the window).
    virtual int ShowModal() = 0;
    virtual int ModalResult() const = 0;
    virtual void SetModalResult(int result) = 0;

    std::function<void(int& key)> OnKeyDown;
    Event OnShow;
};

// Makes forms from their descriptions, by class name ("TfrmSelector").
class IWidgets {
public:
    virtual ~IWidgets() = default;
    virtual std::unique_ptr<IForm> CreateForm(const std::string& className) = 0;
};

// Runs an event if it is set.
inline void Fire(const Event& event)
{
    if (event)
        event();
}

} // namespace platform
