#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/FormDescription.h"
#include "platform/Widgets.h"
#include "platform/headless/WindowPlacement.h"

namespace platform::headless {

class SimForm;
class SimWidgets;

// Shared by every control: focus and the event boundary go through the form.
class SimWidget {
public:
    explicit SimWidget(SimForm& form) : form_(form) {}
    virtual ~SimWidget() = default;
    SimWidget(const SimWidget&) = delete;
    SimWidget& operator=(const SimWidget&) = delete;

protected:
    SimForm& form_;
};

class SimControl : public SimWidget {
public:
    SimControl(SimForm& form, int width) : SimWidget(form), width_(width) {}
    void GiveFocus();
    bool HasFocus() const;
    int CurrentWidth() const { return width_; }
    void ChangeWidth(int width) { width_ = width; }
    // The key reached this control (not consumed by the form).
    virtual void HandleKey(int key) { (void)key; }

private:
    int width_;
};

// The IControl operations, the same for every kind.
template <class Interface>
class SimControlOf : public SimControl, public Interface {
public:
    using SimControl::SimControl;
    void SetFocus() override { GiveFocus(); }
    bool Focused() const override { return HasFocus(); }
    int Width() const override { return CurrentWidth(); }
    void SetWidth(int width) override { ChangeWidth(width); }
};

class SimPanel : public SimControlOf<IPanel> {
public:
    using SimControlOf::SimControlOf;
    // The user resized the window so that the panel got this width.
    void Resize(int width);
};

class SimEdit : public SimControlOf<IEdit> {
public:
    using SimControlOf::SimControlOf;
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    // A typed character: the caret is kept at the end.
    void TypeChar(char c) { SetText(text_ + c); }
    void HandleKey(int key) override;
    void CompletePaths() override { CompletesPaths = true; }
    bool CompletesPaths = false;

private:
    std::string text_;
};

class SimButton : public SimControlOf<IButton> {
public:
    using SimControlOf::SimControlOf;
    void SetCaption(const std::string& caption) override { Caption = caption; }
    void SetDefault(bool isDefault) override { IsDefault = isDefault; }
    // The user clicks the button.
    void Click();
    void Press() { Fire(OnClick); }

    std::string Caption;
    bool IsDefault = false;
};

class SimMenuItem : public SimWidget, public IMenuItem {
public:
    using SimWidget::SimWidget;
    void SetCaption(const std::string& caption) override { Caption = caption; }
    void SetShortCut(int key) override { ShortCut = key; }
    // The user picks the item.
    void Click();

    std::string Caption;
    int ShortCut = 0;
};

class SimListBox : public SimControlOf<IListBox> {
public:
    SimListBox(SimForm& form, int width, int pageSize) : SimControlOf(form, width), pageSize_(pageSize) {}

    int Count() const override { return static_cast<int>(rows_.size()); }
    const std::string& Text(int row) const override { return rows_.at(Index(row)).Text; }
    std::uintptr_t Data(int row) const override { return rows_.at(Index(row)).Data; }
    void Add(ListRow row) override;
    void AddRows(std::vector<ListRow> rows) override;
    void SetText(int row, std::string text) override;
    void Clear() override;
    int ItemIndex() const override { return selected_; }
    void SetItemIndex(int row) override;
    void BeginUpdate() override { ++updateLevel_; }
    void EndUpdate() override;
    void KeyDown(int key) override { HandleKey(key); }
    void HandleKey(int key) override;
    void RepaintIcons() override { ++IconRepaints; }

    // The system draws the rows the list shows (PageSize rows from TopRow, which follows
    // the selection as a Windows list scrolls to it): what each shows at its start, the
    // row's icon, or GenericIcon for a list without icons.
    std::vector<IconId> Paint();
    int TopRow() const { return top_; }
    // The user scrolls the list so that this row is at the top.
    void ScrollTo(int row);
    // How often the rows' icons were to be drawn again.
    int IconRepaints = 0;

    // The user clicks or double-clicks a row; the list takes the focus.
    void Click(int row);
    void DoubleClick(int row);

    std::vector<std::string> Texts() const;
    int PageSize() const { return pageSize_; }
    void SetPageSize(int pageSize) { pageSize_ = pageSize; }
    // How often the list was redrawn: once per outermost update, once per change outside one.
    int RepaintCount = 0;

private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
    void Changed();
    void SelectByUser(int row);

    void ShowSelected();

    std::vector<ListRow> rows_;
    int selected_ = NoRow;
    int updateLevel_ = 0;
    int pageSize_;
    int top_ = 0;
};

class SimCheckBox : public SimControlOf<ICheckBox> {
public:
    using SimControlOf::SimControlOf;
    bool Checked() const override { return checked_; }
    void SetChecked(bool checked) override { checked_ = checked; }
    // The user clicks the box: it takes the focus and its check mark flips.
    void Click();

private:
    bool checked_ = false;
};

class SimComboBox : public SimControlOf<IComboBox> {
public:
    using SimControlOf::SimControlOf;
    int Count() const override { return static_cast<int>(items_.size()); }
    const std::string& Text(int item) const override { return items_.at(static_cast<std::size_t>(item)).first; }
    std::intptr_t Data(int item) const override { return items_.at(static_cast<std::size_t>(item)).second; }
    void Add(const std::string& text, std::intptr_t data) override { items_.emplace_back(text, data); }
    int ItemIndex() const override { return selected_; }
    void SetItemIndex(int item) override;
    // The user drops the list down and picks the item with this text; false when there is none.
    bool Pick(const std::string& text);
    // The selected item's text; empty when nothing is selected.
    std::string SelectedText() const;

private:
    std::vector<std::pair<std::string, std::intptr_t>> items_;
    int selected_ = NoItem;
};

class SimCheckListBox : public SimControlOf<ICheckListBox> {
public:
    using SimControlOf::SimControlOf;
    int Count() const override { return static_cast<int>(items_.size()); }
    const std::string& Text(int item) const override { return items_.at(static_cast<std::size_t>(item)).first; }
    void Add(const std::string& text) override { items_.emplace_back(text, false); }
    bool Checked(int item) const override { return items_.at(static_cast<std::size_t>(item)).second; }
    void SetChecked(int item, bool checked) override { items_.at(static_cast<std::size_t>(item)).second = checked; }
    // The user clicks the check box of an item.
    void Toggle(int item);

private:
    std::vector<std::pair<std::string, bool>> items_;
};

class SimPageControl : public SimControlOf<IPageControl> {
public:
    SimPageControl(SimForm& form, int width, int pageCount) : SimControlOf(form, width), pageCount_(pageCount) {}
    int PageCount() const override { return pageCount_; }
    int ActivePage() const override { return active_; }
    void SetActivePage(int page) override;
    // The user clicks a tab.
    void ClickTab(int page);

private:
    int pageCount_;
    int active_ = 0;
};

// The controls of one form or frame, made from its description and laid out at
// its design size; a page's controls are the form's, as on Windows.
class SimContainer : public IContainer {
public:
    SimContainer(SimForm& form, const std::string& className);

    SimEdit& Edit(const std::string& name) override { return Find<SimEdit>(name); }
    SimListBox& ListBox(const std::string& name) override { return Find<SimListBox>(name); }
    SimButton& Button(const std::string& name) override { return Find<SimButton>(name); }
    SimPanel& Panel(const std::string& name) override { return Find<SimPanel>(name); }
    SimMenuItem& MenuItem(const std::string& name) override { return Find<SimMenuItem>(name); }
    SimCheckBox& CheckBox(const std::string& name) override { return Find<SimCheckBox>(name); }
    SimComboBox& ComboBox(const std::string& name) override { return Find<SimComboBox>(name); }
    SimCheckListBox& CheckListBox(const std::string& name) override { return Find<SimCheckListBox>(name); }
    SimPageControl& PageControl(const std::string& name) override { return Find<SimPageControl>(name); }
    SimContainer& Frame(const std::string& name) override;

    const std::string& ClassName() const { return className_; }
    // The default button among this container's controls and frames, if any.
    SimButton* DefaultButton();
    // The menu item picked by this key, if any.
    SimMenuItem* ShortCutItem(int key);
    // Lays the controls out anew at their design size drawn at dpi, as the Windows
    // forms do when their window moves to a monitor of another scale.
    void LayOut(int dpi);

private:
    // Lets a frame sit in the same map as the controls.
    struct FrameHolder : SimWidget {
        FrameHolder(SimForm& form, const std::string& className)
            : SimWidget(form), Frame(std::make_unique<SimContainer>(form, className)) {}
        std::unique_ptr<SimContainer> Frame;
    };

    template <class Kind>
    Kind& Find(const std::string& name);
    [[noreturn]] void Missing(const std::string& name) const;
    void Add(SimForm& form, const forms::FormDescription& description);

    std::string className_;
    std::map<std::string, std::unique_ptr<SimWidget>> widgets_;
    std::vector<const forms::FormDescription*> descriptions_; // its own and its pages'
};

class SimForm : public IForm {
public:
    SimForm(SimWidgets& widgets, const std::string& className);
    ~SimForm() override;

    SimEdit& Edit(const std::string& name) override { return controls_.Edit(name); }
    SimListBox& ListBox(const std::string& name) override { return controls_.ListBox(name); }
    SimButton& Button(const std::string& name) override { return controls_.Button(name); }
    SimPanel& Panel(const std::string& name) override { return controls_.Panel(name); }
    SimMenuItem& MenuItem(const std::string& name) override { return controls_.MenuItem(name); }
    SimCheckBox& CheckBox(const std::string& name) override { return controls_.CheckBox(name); }
    SimComboBox& ComboBox(const std::string& name) override { return controls_.ComboBox(name); }
    SimCheckListBox& CheckListBox(const std::string& name) override { return controls_.CheckListBox(name); }
    SimPageControl& PageControl(const std::string& name) override { return controls_.PageControl(name); }
    SimContainer& Frame(const std::string& name) override { return controls_.Frame(name); }

    const std::string& ClassName() const { return controls_.ClassName(); }

    void SetCaption(const std::string& caption) override { Caption = caption; }
    int ShowModal() override;
    int ModalResult() const override { return modalResult_; }
    void SetModalResult(int result) override { modalResult_ = result; }

    void Show() override;
    void Hide() override
    {
        visible_ = false;
        Window.IsVisible = false;
    }
    bool Visible() const override { return visible_; }
    bool Minimized() const override { return minimized_; }
    void Restore() override { minimized_ = false; }
    void BringToFront() override;
    void Activate() override;
    bool RegisterHotkey(int id, unsigned modifiers, unsigned key) override;
    void UnregisterHotkey(int id) override;
    PlacedWindow& Placed() override { return Window; }
    void AcceptDroppedFiles() override { AcceptsDroppedFiles = true; }

    // The form's window: its placement record, visibility and state.
    PlacedWindow Window;
    // The pixels per inch of the monitor the window is on.
    int Dpi = forms::DesignDpi;
    // The user drags the window onto a monitor of another scale: Windows suggests this
    // rectangle, and the form takes it and lays itself out at the new scale.
    void MoveToMonitor(int dpi, const PlacementRect& suggested);
    bool AcceptsDroppedFiles = false;

    // The user clicks the close box of a modeless form: refused or the form hides.
    void CloseWindow();
    // The user minimises the form.
    void Minimize();
    // Another program's window became the active one; the form stays the
    // application's active form.
    void Deactivate() { active_ = false; }
    bool Active() const override { return active_ && visible_; }
    // As under Wine, the system activates the window later, not inside the call.
    bool ActivatesLater = false;
    // The deferred activation arrives.
    void CompleteActivation();
    // The form becomes the application's active form: OnActivate runs when another
    // of the application's forms was the active one (as when a dialog closes).
    void BecomeActiveForm();
    // The order of the window-management calls made on the form, for tests of sequences.
    std::vector<std::string> Calls;

    // The user presses a key: the form previews it, then Enter presses the
    // default button and any other key goes to the focused control.
    void PressKey(int key);
    // The user types text into the form, one character at a time, each previewed as a key.
    void Type(const std::string& text);
    // The user closes the window with its close box.
    void Close() { modalResult_ = ModalResultCancel; }
    // Windows ends the user's session.
    void EndSession() { Guard([&] { Fire(OnEndSession); }); }
    // The user drops files from the shell on the form (ignored unless it accepts them).
    void DropFiles(const std::vector<std::string>& names);

    SimControl* FocusedControl() const { return focused_; }
    void SetFocusedControl(SimControl* control) { focused_ = control; }
    // Runs a user action; an error that leaves it goes to the application's error
    // report, as at the Windows message boundary, and the program goes on.
    void Guard(const std::function<void()>& action);

    std::string Caption;
    bool ShownModal = false;

private:
    SimWidgets& widgets_;
    bool visible_ = false;
    bool minimized_ = false;
    bool active_ = false;
    bool activationPending_ = false;
    SimControl* focused_ = nullptr; // before the controls: they may ask for it while being made
    SimContainer controls_;
    int modalResult_ = ModalResultNone;
};

// The virtual-key code that a typed character's key-down carries.
int KeyOfChar(char c);

class SimTrayIcon : public ITrayIcon {
public:
    SimTrayIcon(SimWidgets& widgets, std::string tip);
    ~SimTrayIcon() override;
    SimTrayIcon(const SimTrayIcon&) = delete;
    SimTrayIcon& operator=(const SimTrayIcon&) = delete;
    bool Add() override;
    // The user presses a mouse button on the icon.
    void LeftDown();
    void RightDown();
    const std::string Tip;
    // In the notification area, where the user sees it.
    bool Shown = false;

private:
    SimWidgets& widgets_;
};

// Makes the headless forms.
class SimWidgets : public IWidgets {
public:
    std::unique_ptr<IForm> CreateForm(const std::string& className) override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon(const std::string& tip) override;
    void Terminate() override { Terminated = true; }

    // The user presses a key combination anywhere on the desktop: the form that
    // holds it as a hotkey gets it. False when no form holds it.
    bool SimulateHotkey(unsigned modifiers, unsigned key);
    // Another program holds this combination, so registering it fails.
    void HoldHotkeyElsewhere(unsigned modifiers, unsigned key);
    struct Hotkey {
        SimForm* Form;
        int Id;
        unsigned Modifiers;
        unsigned Key;
    };
    std::vector<Hotkey> Hotkeys;
    std::vector<std::pair<unsigned, unsigned>> HeldElsewhere;
    // The icons made and not yet destroyed; see each one's Shown.
    std::vector<SimTrayIcon*> TrayIcons;
    // The shell ends its notification area (Explorer exits); the icons leave with it.
    void EndNotificationArea();
    // The shell makes a new, empty notification area and tells every icon's owner.
    void CreateNotificationArea();
    // Whether the shell has a notification area that takes icons.
    bool NotificationAreaExists = true;
    bool Terminated = false;

    // Acts as the user while a form is shown modally; it ends when it returns
    // (Cancel unless a modal result was set meanwhile).
    std::function<void(SimForm&)> WhileModal;
    // Forms made and not yet destroyed.
    int OpenForms = 0;
    // The application's active form: the last of its forms that was activated.
    SimForm* ActiveForm = nullptr;
};

} // namespace platform::headless
