#include "platform/win32/Forms.h"

#include <algorithm>
#include <utility>

#include <commctrl.h>
#include <windowsx.h>

#include "common/Exception.h"
#include "platform/ErrorReport.h"
#include "platform/win32/Application.h"
#include "platform/win32/DroppedFiles.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/ProgramIcon.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

using forms::ControlKind;

std::map<HWND, Win32Form*>& OpenForms()
{
    static std::map<HWND, Win32Form*> forms;
    return forms;
}

// Messages that arrive before a container has bound its controls (WM_SETFONT,
// WM_MEASUREITEM, WM_INITDIALOG) get the dialog manager's defaults.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return FALSE; // the forms set the focus themselves
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = forms::ListRowHeightAt(WindowDpi(dialog));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    auto* container = reinterpret_cast<Win32Container*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (container == nullptr)
        return FALSE;
    return container->HandleMessage(dialog, message, wParam, lParam);
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Place(HWND window, const RECT& area)
{
    if (window != nullptr)
        SetWindowPos(window, nullptr, area.left, area.top, std::max(area.right - area.left, 0L),
                     std::max(area.bottom - area.top, 0L), SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void Win32Container::FrameHolder::Place(const RECT& area)
{
    win32::Place(Frame->Handle(), area);
}

Win32Container::Win32Container(const std::string& className) : className_(className) {}

Win32Container::Win32Container(const std::string& className, HWND parent, const RECT& place) : className_(className)
{
    const forms::FormDescription& form = forms::FindForm(className);
    dialog_ = CreateDialogWindow(form, parent);
    SetWindowPos(dialog_, HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE);
    Bind(dialog_, form);
    ShowWindow(dialog_, SW_SHOW);
}

Win32Container::~Win32Container()
{
    Unbind();
}

HWND Win32Container::CreateDialogWindow(const forms::FormDescription& form, HWND parent)
{
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(form.DialogId), parent, DialogProc, 0);
    if (dialog == nullptr)
        RaiseLastOSError();
    if (forms::LaysItselfOut(form))
        LeaveDpiChangesToForm(dialog);
    return dialog;
}

void Win32Container::Add(const std::string& name, std::unique_ptr<Win32Widget> widget, HWND window)
{
    if (window != nullptr)
        byWindow_[window] = widget.get();
    widgets_[name] = std::move(widget);
}

void Win32Container::Bind(HWND dialog, const forms::FormDescription& form)
{
    std::vector<Win32MenuItem*> contextMenu;
    Win32ListBox* list = nullptr;
    for (const forms::Control& control : form.Controls) {
        HWND window = control.Id != 0 ? GetDlgItem(dialog, control.Id) : nullptr;
        const bool needsWindow = control.Kind != ControlKind::Panel && control.Kind != ControlKind::MenuItem &&
                                 control.Kind != ControlKind::ContextMenuItem;
        if (needsWindow && window == nullptr)
            throw Exception("The form description of " + className_ + " has no control " + control.Name);
        switch (control.Kind) {
        case ControlKind::Edit: Add(control.Name, std::make_unique<Win32Edit>(window), window); break;
        case ControlKind::Button: Add(control.Name, std::make_unique<Win32Button>(window), window); break;
        case ControlKind::CheckBox: Add(control.Name, std::make_unique<Win32CheckBox>(window), window); break;
        case ControlKind::ComboBox: Add(control.Name, std::make_unique<Win32ComboBox>(window), window); break;
        case ControlKind::CheckListBox:
            Add(control.Name, std::make_unique<Win32CheckListBox>(window), window);
            break;
        case ControlKind::Panel: Add(control.Name, std::make_unique<Win32Panel>(), nullptr); break;
        case ControlKind::ListBox: {
            auto box = std::make_unique<Win32ListBox>(window);
            list = box.get();
            Add(control.Name, std::move(box), window);
            break;
        }
        case ControlKind::ContextMenuItem: {
            auto item = std::make_unique<Win32MenuItem>(nullptr, control.Id, true);
            contextMenu.push_back(item.get());
            Add(control.Name, std::move(item), nullptr);
            break;
        }
        case ControlKind::MenuItem: {
            auto item = std::make_unique<Win32MenuItem>(GetMenu(dialog), control.Id, false);
            menuCommands_[control.Id] = item.get();
            Add(control.Name, std::move(item), nullptr);
            break;
        }
        case ControlKind::Frame: {
            // The template's placeholder only marks the frame's place.
            const RECT place = ChildRect(window);
            DestroyWindow(window);
            auto frame = std::make_unique<Win32Container>(control.FrameClass, dialog, place);
            Add(control.Name, std::make_unique<FrameHolder>(std::move(frame)), nullptr);
            break;
        }
        case ControlKind::PageControl: {
            std::vector<HWND> pages;
            for (const forms::Page& pageOf : control.Pages) {
                TCITEMA tab{};
                tab.mask = TCIF_TEXT;
                std::string text = pageOf.Caption;
                tab.pszText = text.data();
                SendMessageA(window, TCM_INSERTITEMA, pages.size(), reinterpret_cast<LPARAM>(&tab));
                const forms::FormDescription& page = forms::FindForm(pageOf.FormClass);
                HWND pageWindow = CreateDialogWindow(page, dialog);
                Bind(pageWindow, page); // a page's controls are the form's
                pages.push_back(pageWindow);
            }
            auto pageControl = std::make_unique<Win32PageControl>(window, std::move(pages));
            pageControl->SetActivePage(0);
            Add(control.Name, std::move(pageControl), window);
            break;
        }
        }
    }
    if (list != nullptr)
        list->ContextMenu = contextMenu;
    if (designFaceDpi_ == 0) {
        auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        if (font != nullptr && GetObjectA(font, sizeof(designFace_), &designFace_) != 0)
            designFaceDpi_ = WindowDpi(dialog);
    }
    SetBoldLabels(dialog, form.BoldLabels);
    dialogs_[dialog] = &form;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    LayOut(dialog);
}

// One bold face of the dialog font serves all of the container's titles.
void Win32Container::SetBoldLabels(HWND dialog, const std::vector<int>& labels)
{
    if (labels.empty())
        return;
    if (!boldFont_) {
        LOGFONTA face{};
        auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        if (font == nullptr || GetObjectA(font, sizeof(face), &face) == 0)
            GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
        face.lfWeight = FW_BOLD;
        boldFont_.Reset(CreateFontIndirectA(&face));
        if (!boldFont_)
            return; // the titles keep the plain face
    }
    for (const int label : labels)
        SendDlgItemMessageA(dialog, label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
}

void Win32Container::Unbind()
{
    for (const auto& [dialog, layout] : dialogs_)
        if (IsWindow(dialog))
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

Win32Container& Win32Container::Frame(const std::string& name)
{
    return *Find<FrameHolder>(name).Frame;
}

void Win32Container::Missing(const std::string& name) const
{
    throw Exception(className_ + " has no control " + name + " of that kind");
}

Win32Button* Win32Container::DefaultButton()
{
    for (auto& [name, widget] : widgets_) {
        if (auto* button = dynamic_cast<Win32Button*>(widget.get()); button != nullptr && button->IsDefault())
            if (IsWindowVisible(button->Handle()))
                return button;
        if (auto* frame = dynamic_cast<FrameHolder*>(widget.get()))
            if (Win32Button* button = frame->Frame->DefaultButton())
                return button;
    }
    return nullptr;
}

Win32Button* Win32Container::FocusedButton()
{
    const auto focused = byWindow_.find(GetFocus());
    if (focused != byWindow_.end())
        if (auto* button = dynamic_cast<Win32Button*>(focused->second))
            return button;
    for (auto& [name, widget] : widgets_)
        if (auto* frame = dynamic_cast<FrameHolder*>(widget.get()))
            if (Win32Button* button = frame->Frame->FocusedButton())
                return button;
    return nullptr;
}

Win32MenuItem* Win32Container::ShortCutItem(int key)
{
    for (auto& [id, item] : menuCommands_)
        if (item->ShortCut() == key)
            return item;
    return nullptr;
}

// The anchor pass: each rule of the dialog's layout, in order, for its client size
// and the scale its window is drawn at.
void Win32Container::LayOut(HWND dialog)
{
    const auto found = dialogs_.find(dialog);
    if (found == dialogs_.end())
        return;
    RECT client{};
    GetClientRect(dialog, &client);
    const int dpi = WindowDpi(dialog);
    RunHandler([&] {
        for (const forms::Anchor& anchor : found->second->Layout) {
            const forms::Rect at = anchor.In(client.right, client.bottom, dpi);
            const RECT area{at.Left, at.Top, at.Right, at.Bottom};
            if (anchor.Control.empty()) {
                Place(GetDlgItem(dialog, anchor.Id), area);
                continue;
            }
            const auto widget = widgets_.find(anchor.Control);
            if (widget == widgets_.end())
                Missing(anchor.Control);
            widget->second->Place(area);
        }
    });
}

// The dialog's own pages first: the page control places them.
void Win32Container::LayOutAll()
{
    HWND top = nullptr;
    for (const auto& [dialog, form] : dialogs_)
        if (dialogs_.count(GetParent(dialog)) == 0)
            top = dialog;
    LayOut(top);
    for (const auto& [dialog, form] : dialogs_)
        if (dialog != top)
            LayOut(dialog);
}

// The dialog manager made the template's font for the scale the window was made at;
// for another, the same face at the new scale goes to every control, then the layout.
void Win32Container::ScaleTo(int dpi)
{
    if (designFaceDpi_ != 0) {
        LOGFONTA face = designFace_;
        face.lfHeight = MulDiv(designFace_.lfHeight, dpi, designFaceDpi_);
        UniqueFont plain(CreateFontIndirectA(&face));
        face.lfWeight = FW_BOLD;
        UniqueFont bold(boldFont_ ? CreateFontIndirectA(&face) : nullptr);
        if (plain) {
            for (const auto& [dialog, form] : dialogs_)
                SetFonts(dialog, plain.Get(), bold ? bold.Get() : plain.Get(), form->BoldLabels);
            // The old fonts go only now that no control uses them.
            std::swap(scaledFont_, plain);
            if (bold)
                std::swap(boldFont_, bold);
        }
    }
    for (const auto& [dialog, form] : dialogs_)
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongPtrA(child, GWL_STYLE) & LBS_OWNERDRAWFIXED) != 0 && byWindow_.count(child) != 0 &&
                dynamic_cast<Win32ListBox*>(byWindow_[child]) != nullptr)
                SendMessageA(child, LB_SETITEMHEIGHT, 0, forms::ListRowHeightAt(dpi));
    LayOutAll();
    for (auto& [name, widget] : widgets_)
        if (auto* frame = dynamic_cast<FrameHolder*>(widget.get()))
            frame->Frame->ScaleTo(dpi);
}

void Win32Container::SetFonts(HWND dialog, HFONT plain, HFONT bold, const std::vector<int>& boldLabels)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof(className));
        if (std::string(className) == "#32770")
            continue; // a page or a frame: its own controls get theirs
        const bool isBold = std::find(boldLabels.begin(), boldLabels.end(), GetDlgCtrlID(child)) != boldLabels.end();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(isBold ? bold : plain), TRUE);
    }
}

INT_PTR Win32Container::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        if (lParam != 0) {
            const auto control = byWindow_.find(reinterpret_cast<HWND>(lParam));
            if (control != byWindow_.end())
                control->second->Command(HIWORD(wParam));
            return TRUE;
        }
        const auto item = menuCommands_.find(LOWORD(wParam));
        if (item != menuCommands_.end()) {
            Win32MenuItem* command = item->second;
            RunHandler([command] { command->Click(); });
        }
        // IDOK and IDCANCEL from the dialog manager are ignored: Enter and Esc
        // reach the forms through the key preview.
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto control = byWindow_.find(item.hwndItem);
        if (control != byWindow_.end())
            if (auto* list = dynamic_cast<Win32ListBox*>(control->second))
                list->Draw(item);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_CONTEXTMENU: {
        const auto control = byWindow_.find(reinterpret_cast<HWND>(wParam));
        if (control != byWindow_.end())
            if (auto* list = dynamic_cast<Win32ListBox*>(control->second)) {
                list->ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return TRUE;
            }
        return FALSE;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == static_cast<UINT>(TCN_SELCHANGE)) {
            const auto control = byWindow_.find(header.hwndFrom);
            if (control != byWindow_.end())
                if (auto* pages = dynamic_cast<Win32PageControl*>(control->second))
                    pages->TabChanged();
        }
        return FALSE;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOut(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

Win32Form::Win32Form(const std::string& className) : Win32Container(className)
{
    const forms::FormDescription& form = forms::FindForm(className);
    const bool mainWindow = form.MainWindow;
    dialog_ = CreateDialogWindow(form, mainWindow ? nullptr : Application::OwnerWindow());
    laysItselfOut_ = forms::LaysItselfOut(form);
    dpi_ = SystemDpiOf(dialog_);
    showsProgramIcon_ = mainWindow;
    if (showsProgramIcon_)
        icons_.Show(dialog_, dpi_);
    if (form.First != forms::FirstSize::Template) {
        const forms::Size design = form.DesignSize.At(dpi_);
        SIZE size{design.Width, design.Height};
        if (form.First == forms::FirstSize::Client)
            size = OuterSize(dialog_, size, dpi_);
        const int width = size.cx;
        const int height = size.cy;
        // Centred on the screen's work area, as the template's DS_CENTER did for its own size.
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SetWindowPos(dialog_, nullptr, work.left + (work.right - work.left - width) / 2,
                     work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    OpenForms()[dialog_] = this; // its frames and pages take their scale from it
    try {
        Bind(dialog_, form);
    } catch (...) {
        OpenForms().erase(dialog_);
        Unbind();
        DestroyWindow(dialog_);
        throw;
    }
    placed_ = std::make_unique<PlacedWindow>(dialog_, mainWindow, false);
}

Win32Form::~Win32Form()
{
    OpenForms().erase(dialog_);
    Unbind();
    DestroyWindow(dialog_); // takes the frames' and pages' windows with it
}

Win32Form* Win32Form::FromWindow(HWND window)
{
    const auto found = OpenForms().find(window);
    return found == OpenForms().end() ? nullptr : found->second;
}

int Win32Form::ShowModal()
{
    // The owner is disabled while the dialog runs, and enabled again before the
    // dialog hides, or Windows would activate some other program's window.
    HWND owner = GetWindow(dialog_, GW_OWNER);
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    struct ModalScope {
        Win32Form& form;
        HWND owner;
        bool disableOwner;
        ~ModalScope()
        {
            form.modal_ = false;
            if (disableOwner)
                EnableWindow(owner, TRUE);
            ShowWindow(form.dialog_, SW_HIDE);
        }
    } scope{*this, owner, disableOwner};
    if (disableOwner)
        EnableWindow(owner, FALSE);
    modal_ = true;
    modalResult_ = ModalResultNone;
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    Fire(OnShow);
    RunMessageLoop([this] { return modalResult_ != ModalResultNone; });
    if (modalResult_ == ModalResultNone)
        modalResult_ = ModalResultCancel; // the application is ending
    return modalResult_;
}

void Win32Form::Show()
{
    const bool wasVisible = Visible();
    if (!wasVisible)
        Fire(OnBeforeShow);
    // A hidden window takes the state its placement gave it when it comes up: a window
    // hidden while maximized stays zoomed through SW_SHOW, so a normal one is asked for.
    int command = SW_SHOW;
    if (!wasVisible)
        command = placed_->PendingState() == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    ShowWindow(dialog_, command);
    if (!wasVisible)
        Fire(OnShow);
}

void Win32Form::AcceptDroppedFiles()
{
    win32::AcceptDroppedFiles(dialog_);
}

void Win32Form::Restore()
{
    if (Minimized())
        ShowWindow(dialog_, SW_RESTORE);
}

// While one of the application's dialogs or message boxes runs, this window is
// disabled: what comes forward is the dialog, the window's last active popup, or the
// user would face a window that takes no input while the dialog hides behind it.
namespace {

BOOL CALLBACK FindEnabledPopup(HWND candidate, LPARAM found)
{
    auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
    if (GetWindow(candidate, GW_OWNER) != search.first || !IsWindowVisible(candidate) || !IsWindowEnabled(candidate))
        return TRUE;
    search.second = candidate; // the first in z-order is the one on top
    return FALSE;
}

// The window that stands for this one while it is disabled: its last active popup.
// Wine records that popup only once it had the activation, which a dialog shown in
// the background never gets; the enabled popup it owns is then the one.
HWND LastActiveWindowOf(HWND window)
{
    HWND popup = GetLastActivePopup(window);
    if (popup != window || IsWindowEnabled(window))
        return popup;
    std::pair<HWND, HWND> search{window, nullptr};
    EnumWindows(FindEnabledPopup, reinterpret_cast<LPARAM>(&search));
    return search.second != nullptr ? search.second : window;
}

} // namespace

void Win32Form::BringToFront()
{
    SetForegroundWindow(LastActiveWindowOf(dialog_));
}

void Win32Form::Activate()
{
    HWND popup = LastActiveWindowOf(dialog_);
    SetActiveWindow(popup);
    if (popup == dialog_)
        SetFocus(dialog_);
}

bool Win32Form::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    return RegisterHotKey(dialog_, id, modifiers, key) != FALSE;
}

// The window went to a monitor of another scale (or the user changed the scale): it
// takes the rectangle Windows suggests, which keeps it under the pointer at the same
// size in inches, and lays itself out anew.
void Win32Form::ChangeDpi(int dpi, const RECT& suggested)
{
    dpi_ = dpi;
    if (placed_ == nullptr || !placed_->Applying())
        SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ScaleTo(dpi);
}

void Win32Form::Close()
{
    bool allow = true;
    if (OnCloseQuery)
        OnCloseQuery(allow);
    if (!allow)
        return;
    if (modal_)
        modalResult_ = ModalResultCancel;
    else
        Hide();
}

INT_PTR Win32Form::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (dialog != dialog_)
        return Win32Container::HandleMessage(dialog, message, wParam, lParam);
    switch (message) {
    case WM_CLOSE:
        RunHandler([this] { Close(); });
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != FALSE)
            RunHandler([this] { Fire(OnEndSession); });
        // An installer's Restart Manager asks the program to leave so that it can replace
        // its file; the session goes on, so the program ends itself, as File > Exit would.
        if (wParam != FALSE && (lParam & ENDSESSION_CLOSEAPP) != 0)
            PostQuitMessage(0);
        return TRUE;
    case WM_DROPFILES: {
        // The names are taken and the drop released before the handler runs.
        const std::vector<std::string> names = TakeDroppedFiles(reinterpret_cast<HDROP>(wParam));
        RunHandler([this, &names] {
            if (OnDropFiles)
                OnDropFiles(names);
        });
        return TRUE;
    }
    case WM_DPICHANGED: {
        if (showsProgramIcon_)
            icons_.Show(dialog_, LOWORD(wParam));
        if (!laysItselfOut_)
            return FALSE; // the dialog manager scales a template's font and places
        const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
        ChangeDpi(LOWORD(wParam), suggested);
        return TRUE;
    }
    case WM_HOTKEY:
        RunHandler([this, wParam] {
            if (OnHotkey)
                OnHotkey(static_cast<int>(wParam));
        });
        return TRUE;
    case WM_ACTIVATE: {
        // Only a change of the application's active form activates the form: coming
        // back from another of its forms, a dialog that closed. Coming back from
        // another program, a message box or a menu is not one, nor the system's
        // activation of a window just shown (often late under Wine), which would
        // otherwise undo the page its caller chose.
        HWND previous = reinterpret_cast<HWND>(lParam);
        const bool fromOwnForm = previous != nullptr && previous != dialog_ && FromWindow(previous) != nullptr;
        if (LOWORD(wParam) == WA_INACTIVE || !OnActivate || !fromOwnForm)
            return FALSE;
        RunHandler([this] { Fire(OnActivate); });
        return TRUE;
    }
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            RunHandler([this] { Fire(OnMinimize); });
            return TRUE;
        }
        return Win32Container::HandleMessage(dialog, message, wParam, lParam);
    default:
        return Win32Container::HandleMessage(dialog, message, wParam, lParam);
    }
}

} // namespace platform::win32
