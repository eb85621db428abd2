#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Icons.h"
#include "platform/WindowPlacement.h"

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
constexpr int F1 = 112;
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
    // Suggests and completes file-system paths as the user types.
    virtual void CompletePaths() = 0;
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
    // A key that picks the item while its form is active (0 for none).
    virtual void SetShortCut(int key) = 0;
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

    // Draws the icons of the rows shown again (one has arrived); RowIcon is asked anew.
    virtual void RepaintIcons() = 0;
    // The icon at the start of a row, asked only when the row is drawn; unset: no icons.
    std::function<IconId(int row)> RowIcon;

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

class ICheckBox : public IControl {
public:
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// A drop-down list the user picks from without typing; each item carries a number.
class IComboBox : public IControl {
public:
    static constexpr int NoItem = -1;
    virtual int Count() const = 0;
    virtual const std::string& Text(int item) const = 0;
    virtual std::intptr_t Data(int item) const = 0;
    virtual void Add(const std::string& text, std::intptr_t data) = 0;
    virtual int ItemIndex() const = 0;
    // NoItem clears the selection; an index out of range is ignored.
    virtual void SetItemIndex(int item) = 0;
};

// A list of texts, each with a check box.
class ICheckListBox : public IControl {
public:
    virtual int Count() const = 0;
    virtual const std::string& Text(int item) const = 0;
    virtual void Add(const std::string& text) = 0;
    virtual bool Checked(int item) const = 0;
    virtual void SetChecked(int item, bool checked) = 0;
};

// Tabbed pages, one shown at a time.
class IPageControl : public IControl {
public:
    virtual int PageCount() const = 0;
    virtual int ActivePage() const = 0;
    // Shows the page; OnPageShow follows when it was not the active one.
    virtual void SetActivePage(int page) = 0;
    // A page became the active one, by the user or by SetActivePage.
    std::function<void(int page)> OnPageShow;
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
    virtual IPageControl& PageControl(const std::string& name) = 0;
    virtual IContainer& Frame(const std::string& name) = 0;
    virtual ICheckBox& CheckBox(const std::string& name) { NoSuchControl(name); }
    virtual IComboBox& ComboBox(const std::string& name) { NoSuchControl(name); }
    virtual ICheckListBox& CheckListBox(const std::string& name) { NoSuchControl(name); }

protected:
    [[noreturn]] static void NoSuchControl(const std::string& name);
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

    // A modeless form: visible or hidden, brought forward by the application.
    virtual void Show() = 0; // OnShow follows when the form was hidden
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual bool Minimized() const = 0;
    virtual void Restore() = 0;
    virtual void BringToFront() = 0;
    // Makes the form the active window with the keyboard focus (OnActivate may follow).
    virtual void Activate() = 0;
    // The form is the active window.
    virtual bool Active() const = 0;

    // A system-wide hotkey on this form; false when the system refused it.
    virtual bool RegisterHotkey(int id, unsigned modifiers, unsigned key) = 0;
    virtual void UnregisterHotkey(int id) = 0;

    // The form's window as the placement keeper sees it.
    virtual IPlacedWindow& Placed() = 0;
    // Accepts files dragged from the shell anywhere on the form (OnDropFiles).
    virtual void AcceptDroppedFiles() = 0;

    std::function<void(int& key)> OnKeyDown;
    // The form is about to be shown from hidden; OnShow follows once it is visible.
    Event OnBeforeShow;
    Event OnShow;
    // Files dragged from the shell were dropped on the form: every name, in order.
    std::function<void(const std::vector<std::string>& names)> OnDropFiles;
    Event OnActivate;
    Event OnMinimize;
    // The user closes the window; clearing allow refuses the close.
    std::function<void(bool& allow)> OnCloseQuery;
    std::function<void(int id)> OnHotkey;
    // Windows is logging the user off or shutting down: the process ends as soon as
    // the handler returns, without running the application's shutdown.
    Event OnEndSession;
};

// The application's icon in the notification area, removed with the object.
class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    // Puts the icon into the notification area, or refreshes it there. False when the
    // shell cannot take it (no notification area yet).
    virtual bool Add() = 0;
    Event OnLeftDown;
    Event OnRightDown;
    // The shell made a new notification area (it restarted, or it came up after the
    // application): the icons of the old one are gone.
    Event OnNotificationAreaCreated;
};

// Makes forms from their descriptions, by class name ("TfrmSelector").
class IWidgets {
public:
    virtual ~IWidgets() = default;
    virtual std::unique_ptr<IForm> CreateForm(const std::string& className) = 0;
    // An icon with this tip, not yet in the notification area (see ITrayIcon::Add).
    virtual std::unique_ptr<ITrayIcon> CreateTrayIcon(const std::string& tip) = 0;
    // Ends the application's message loop once the current message is handled.
    virtual void Terminate() = 0;
};

// Runs an event if it is set.
inline void Fire(const Event& event)
{
    if (event)
        event();
}

} // namespace platform
