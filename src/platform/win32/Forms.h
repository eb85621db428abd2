#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/FormDescription.h"
#include "platform/Widgets.h"
#include "platform/win32/ChoiceControls.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Handles.h"
#include "platform/win32/ProgramIcon.h"
#include "platform/win32/WindowPlacement.h"

namespace platform::win32 {

class Win32Form;

// The named controls of a form or a frame, bound from its dialog template. One
// dialog procedure serves every form, frame and page: it finds the container
// through the dialog's DWLP_USER and the control through its window handle.
class Win32Container : public IContainer {
public:
    // A frame: the template's dialog made as a child of parent at the placeholder's place.
    Win32Container(const std::string& className, HWND parent, const RECT& place);
    ~Win32Container() override;
    Win32Container(const Win32Container&) = delete;
    Win32Container& operator=(const Win32Container&) = delete;

    Win32Edit& Edit(const std::string& name) override { return Find<Win32Edit>(name); }
    Win32ListBox& ListBox(const std::string& name) override { return Find<Win32ListBox>(name); }
    Win32Button& Button(const std::string& name) override { return Find<Win32Button>(name); }
    Win32Panel& Panel(const std::string& name) override { return Find<Win32Panel>(name); }
    Win32MenuItem& MenuItem(const std::string& name) override { return Find<Win32MenuItem>(name); }
    Win32PageControl& PageControl(const std::string& name) override { return Find<Win32PageControl>(name); }
    Win32Container& Frame(const std::string& name) override;
    Win32CheckBox& CheckBox(const std::string& name) override { return Find<Win32CheckBox>(name); }
    Win32ComboBox& ComboBox(const std::string& name) override { return Find<Win32ComboBox>(name); }
    Win32CheckListBox& CheckListBox(const std::string& name) override { return Find<Win32CheckListBox>(name); }

    HWND Handle() const { return dialog_; }
    // The default button among this container's controls and frames, if any.
    Win32Button* DefaultButton();
    // The button that has the keyboard focus, among this container's controls and frames, if any.
    Win32Button* FocusedButton();
    Win32MenuItem* ShortCutItem(int key);

    virtual INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // The window moved to a scale of dpi: fonts, list rows and the layout follow,
    // in this container and its frames.
    void ScaleTo(int dpi);

protected:
    // A top-level form binds itself once its window exists.
    explicit Win32Container(const std::string& className);
    HWND CreateDialogWindow(const forms::FormDescription& form, HWND parent);
    void Bind(HWND dialog, const forms::FormDescription& form);
    void LayOut(HWND dialog);
    // Stops the dialog procedure from reaching this object (before its windows go).
    void Unbind();

    std::string className_;
    HWND dialog_ = nullptr;

private:
    struct FrameHolder : Win32Widget {
        explicit FrameHolder(std::unique_ptr<Win32Container> frame) : Frame(std::move(frame)) {}
        void Place(const RECT& area) override;
        std::unique_ptr<Win32Container> Frame;
    };

    template <class Kind>
    Kind& Find(const std::string& name)
    {
        const auto found = widgets_.find(name);
        if (found != widgets_.end())
            if (auto* widget = dynamic_cast<Kind*>(found->second.get()))
                return *widget;
        Missing(name);
    }
    [[noreturn]] void Missing(const std::string& name) const;
    void Add(const std::string& name, std::unique_ptr<Win32Widget> widget, HWND window);
    void SetBoldLabels(HWND dialog, const std::vector<int>& labels);
    void SetFonts(HWND dialog, HFONT plain, HFONT bold, const std::vector<int>& boldLabels);
    void LayOutAll();

    std::map<std::string, std::unique_ptr<Win32Widget>> widgets_;
    std::map<HWND, Win32Widget*> byWindow_;
    std::map<int, Win32MenuItem*> menuCommands_;
    std::map<HWND, const forms::FormDescription*> dialogs_; // this container's dialog and its pages, with their layouts
    UniqueFont boldFont_; // outlives the labels: the form's windows go before its members
    // The template's face as the dialog manager made it, and the scale it made it at;
    // a font made for another scale replaces it when the window's scale changes.
    LOGFONTA designFace_{};
    int designFaceDpi_ = 0;
    UniqueFont scaledFont_;
};

// A top-level form: modeless (the main window) or shown modally.
class Win32Form : public Win32Container, public IForm {
public:
    explicit Win32Form(const std::string& className);
    ~Win32Form() override;

    Win32Edit& Edit(const std::string& name) override { return Win32Container::Edit(name); }
    Win32ListBox& ListBox(const std::string& name) override { return Win32Container::ListBox(name); }
    Win32Button& Button(const std::string& name) override { return Win32Container::Button(name); }
    Win32Panel& Panel(const std::string& name) override { return Win32Container::Panel(name); }
    Win32MenuItem& MenuItem(const std::string& name) override { return Win32Container::MenuItem(name); }
    Win32PageControl& PageControl(const std::string& name) override { return Win32Container::PageControl(name); }
    Win32Container& Frame(const std::string& name) override { return Win32Container::Frame(name); }
    Win32CheckBox& CheckBox(const std::string& name) override { return Win32Container::CheckBox(name); }
    Win32ComboBox& ComboBox(const std::string& name) override { return Win32Container::ComboBox(name); }
    Win32CheckListBox& CheckListBox(const std::string& name) override { return Win32Container::CheckListBox(name); }

    void SetCaption(const std::string& caption) override { SetWindowTextA(dialog_, caption.c_str()); }
    int ShowModal() override;
    int ModalResult() const override { return modalResult_; }
    void SetModalResult(int result) override { modalResult_ = result; }

    void Show() override;
    void Hide() override { ShowWindow(dialog_, SW_HIDE); }
    bool Visible() const override { return IsWindowVisible(dialog_) != FALSE; }
    bool Minimized() const override { return IsIconic(dialog_) != FALSE; }
    void Restore() override;
    void BringToFront() override;
    void Activate() override;
    bool Active() const override { return GetActiveWindow() == dialog_; }
    bool RegisterHotkey(int id, unsigned modifiers, unsigned key) override;
    void UnregisterHotkey(int id) override { UnregisterHotKey(dialog_, id); }
    PlacedWindow& Placed() override { return *placed_; }
    void AcceptDroppedFiles() override;

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The form whose top-level window this is, or null.
    static Win32Form* FromWindow(HWND window);
    // The pixels per inch the form is drawn at: its monitor's.
    int Dpi() const { return dpi_; }

private:
    void Close();
    void ChangeDpi(int dpi, const RECT& suggested);
    int dpi_ = forms::DesignDpi;
    bool laysItselfOut_ = true;
    bool showsProgramIcon_ = false;
    WindowIcons icons_; // outlives the window: destroyed after the destructor's body
    std::unique_ptr<PlacedWindow> placed_;
    bool modal_ = false;
    int modalResult_ = ModalResultNone;
};

} // namespace platform::win32
