#include "platform/headless/Widgets.h"

#include <algorithm>
#include <utility>

#include "common/Exception.h"
#include "platform/ErrorReport.h"

namespace platform::headless {

void SimControl::GiveFocus()
{
    form_.SetFocusedControl(this);
}

bool SimControl::HasFocus() const
{
    return form_.FocusedControl() == this;
}

void SimPanel::Resize(int width)
{
    form_.Guard([&] {
        ChangeWidth(width);
        Fire(OnResize);
    });
}

void SimEdit::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    Fire(OnChange);
}

void SimEdit::HandleKey(int key)
{
    if (key == vk::Back && !text_.empty())
        SetText(text_.substr(0, text_.size() - 1));
}

void SimButton::Click()
{
    form_.Guard([&] {
        GiveFocus();
        Press();
    });
}

void SimMenuItem::Click()
{
    form_.Guard([&] { Fire(OnClick); });
}

void SimCheckBox::Click()
{
    form_.Guard([&] {
        GiveFocus();
        checked_ = !checked_;
    });
}

void SimComboBox::SetItemIndex(int item)
{
    if (item == NoItem || (item >= 0 && item < Count()))
        selected_ = item;
}

bool SimComboBox::Pick(const std::string& text)
{
    GiveFocus();
    for (int item = 0; item < Count(); ++item)
        if (Text(item) == text) {
            selected_ = item;
            return true;
        }
    return false;
}

std::string SimComboBox::SelectedText() const
{
    return selected_ == NoItem ? std::string() : Text(selected_);
}

void SimCheckListBox::Toggle(int item)
{
    form_.Guard([&] {
        GiveFocus();
        SetChecked(item, !Checked(item));
    });
}

void SimListBox::Add(ListRow row)
{
    rows_.push_back(std::move(row));
    Changed();
}

void SimListBox::AddRows(std::vector<ListRow> rows)
{
    if (rows_.empty())
        rows_ = std::move(rows);
    else
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    Changed();
}

void SimListBox::SetText(int row, std::string text)
{
    rows_.at(Index(row)).Text = std::move(text);
    Changed();
}

void SimListBox::Clear()
{
    rows_.clear();
    selected_ = NoRow;
    top_ = 0;
    Changed();
}

void SimListBox::SetItemIndex(int row)
{
    if (row == NoRow || (row >= 0 && row < Count())) {
        selected_ = row;
        ShowSelected();
    }
}

std::vector<IconId> SimListBox::Paint()
{
    std::vector<IconId> drawn;
    const int end = std::min(Count(), top_ + std::max(pageSize_, 1));
    for (int row = top_; row < end; ++row)
        drawn.push_back(RowIcon ? RowIcon(row) : GenericIcon);
    return drawn;
}

void SimListBox::ScrollTo(int row)
{
    top_ = std::clamp(row, 0, std::max(Count() - 1, 0));
}

void SimListBox::ShowSelected()
{
    if (selected_ == NoRow)
        return;
    if (selected_ < top_)
        top_ = selected_;
    else if (selected_ >= top_ + std::max(pageSize_, 1))
        top_ = selected_ - std::max(pageSize_, 1) + 1;
}

void SimListBox::EndUpdate()
{
    if (updateLevel_ == 0)
        return;
    if (--updateLevel_ == 0)
        ++RepaintCount;
}

void SimListBox::Changed()
{
    if (updateLevel_ == 0)
        ++RepaintCount;
}

// The keys move the selection as a Windows list box does; with nothing selected
// yet, the first key selects the first row (End the last).
void SimListBox::HandleKey(int key)
{
    if (rows_.empty())
        return;
    const int last = Count() - 1;
    const int step = std::max(pageSize_ - 1, 1);
    const bool none = selected_ == NoRow;
    int target = selected_;
    switch (key) {
    case vk::Up: target = none ? 0 : selected_ - 1; break;
    case vk::Down: target = none ? 0 : selected_ + 1; break;
    case vk::PageUp: target = none ? 0 : selected_ - step; break;
    case vk::PageDown: target = none ? 0 : selected_ + step; break;
    case vk::Home: target = 0; break;
    case vk::End: target = last; break;
    default: return;
    }
    SelectByUser(std::clamp(target, 0, last));
}

void SimListBox::Click(int row)
{
    form_.Guard([&] {
        GiveFocus();
        if (row >= 0 && row < Count())
            SelectByUser(row);
    });
}

void SimListBox::DoubleClick(int row)
{
    form_.Guard([&] {
        GiveFocus();
        if (row < 0 || row >= Count())
            return;
        SelectByUser(row);
        Fire(OnDblClick);
    });
}

void SimListBox::SelectByUser(int row)
{
    if (row == selected_)
        return;
    selected_ = row;
    ShowSelected();
    Fire(OnSelect);
}

std::vector<std::string> SimListBox::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const ListRow& row : rows_)
        texts.push_back(row.Text);
    return texts;
}

SimContainer::SimContainer(SimForm& form, const std::string& className) : className_(className)
{
    Add(form, forms::FindForm(className));
}

namespace {

// Where the description's rules put its named controls at its design size drawn at dpi.
std::map<std::string, forms::Rect> Placed(const forms::FormDescription& description, int dpi)
{
    const forms::Size size = description.DesignSize.At(dpi);
    std::map<std::string, forms::Rect> placed;
    for (const forms::Anchor& anchor : description.Layout)
        placed[anchor.Control] = anchor.In(size.Width, size.Height, dpi);
    return placed;
}

} // namespace

void SimContainer::Add(SimForm& form, const forms::FormDescription& description)
{
    using forms::ControlKind;
    descriptions_.push_back(&description);
    const std::map<std::string, forms::Rect> placed = Placed(description, form.Dpi);
    for (const forms::Control& control : description.Controls) {
        const auto at = placed.find(control.Name);
        const int width = at == placed.end() ? 0 : at->second.Width();
        const int height = at == placed.end() ? 0 : at->second.Height();
        std::unique_ptr<SimWidget> widget;
        switch (control.Kind) {
        case ControlKind::Edit: widget = std::make_unique<SimEdit>(form, width); break;
        case ControlKind::ListBox:
            widget = std::make_unique<SimListBox>(form, width, height / forms::ListRowHeightAt(form.Dpi));
            break;
        case ControlKind::Button: widget = std::make_unique<SimButton>(form, width); break;
        case ControlKind::Panel: widget = std::make_unique<SimPanel>(form, width); break;
        case ControlKind::MenuItem:
        case ControlKind::ContextMenuItem: widget = std::make_unique<SimMenuItem>(form); break;
        case ControlKind::PageControl:
            widget = std::make_unique<SimPageControl>(form, width, static_cast<int>(control.Pages.size()));
            for (const forms::Page& page : control.Pages)
                Add(form, forms::FindForm(page.FormClass));
            break;
        case ControlKind::Frame: widget = std::make_unique<FrameHolder>(form, control.FrameClass); break;
        case ControlKind::CheckBox: widget = std::make_unique<SimCheckBox>(form, width); break;
        case ControlKind::ComboBox: widget = std::make_unique<SimComboBox>(form, width); break;
        case ControlKind::CheckListBox: widget = std::make_unique<SimCheckListBox>(form, width); break;
        }
        widgets_.emplace(control.Name, std::move(widget));
    }
    // A rule for a control the form does not have would fail on Windows when the form is sized.
    for (const forms::Anchor& anchor : description.Layout)
        if (!anchor.Control.empty() && widgets_.count(anchor.Control) == 0)
            Missing(anchor.Control);
}

void SimContainer::LayOut(int dpi)
{
    // In the rules' order, as on Windows: a panel's handler places what it holds.
    for (const forms::FormDescription* description : descriptions_) {
        const forms::Size size = description->DesignSize.At(dpi);
        for (const forms::Anchor& anchor : description->Layout) {
            const forms::Rect at = anchor.In(size.Width, size.Height, dpi);
            const auto found = widgets_.find(anchor.Control);
            if (found == widgets_.end())
                continue; // an unnamed label or line
            if (auto* panel = dynamic_cast<SimPanel*>(found->second.get()))
                panel->Resize(at.Width());
            else if (auto* control = dynamic_cast<SimControl*>(found->second.get()))
                control->ChangeWidth(at.Width());
            if (auto* list = dynamic_cast<SimListBox*>(found->second.get()))
                list->SetPageSize(at.Height() / forms::ListRowHeightAt(dpi));
        }
    }
    for (auto& [name, widget] : widgets_)
        if (auto* frame = dynamic_cast<FrameHolder*>(widget.get()))
            frame->Frame->LayOut(dpi);
}

template <class Kind>
Kind& SimContainer::Find(const std::string& name)
{
    const auto found = widgets_.find(name);
    if (found != widgets_.end())
        if (auto* widget = dynamic_cast<Kind*>(found->second.get()))
            return *widget;
    Missing(name);
}

// The kinds the header's accessors ask for.
template SimEdit& SimContainer::Find<SimEdit>(const std::string&);
template SimListBox& SimContainer::Find<SimListBox>(const std::string&);
template SimButton& SimContainer::Find<SimButton>(const std::string&);
template SimPanel& SimContainer::Find<SimPanel>(const std::string&);
template SimMenuItem& SimContainer::Find<SimMenuItem>(const std::string&);

SimContainer& SimContainer::Frame(const std::string& name)
{
    return *Find<FrameHolder>(name).Frame;
}

void SimContainer::Missing(const std::string& name) const
{
    throw Exception(className_ + " has no control " + name + " of that kind");
}

SimButton* SimContainer::DefaultButton()
{
    for (auto& [name, widget] : widgets_) {
        if (auto* button = dynamic_cast<SimButton*>(widget.get()); button != nullptr && button->IsDefault)
            return button;
        if (auto* frame = dynamic_cast<FrameHolder*>(widget.get()))
            if (SimButton* button = frame->Frame->DefaultButton())
                return button;
    }
    return nullptr;
}

SimForm::SimForm(SimWidgets& widgets, const std::string& className)
    : widgets_(widgets), controls_(*this, className)
{
    ++widgets_.OpenForms;
}

void SimForm::MoveToMonitor(int dpi, const PlacementRect& suggested)
{
    Dpi = dpi;
    Window.Record.NormalPosition = suggested;
    controls_.LayOut(dpi);
}

SimForm::~SimForm()
{
    --widgets_.OpenForms;
    if (widgets_.ActiveForm == this)
        widgets_.ActiveForm = nullptr;
}

// While the dialog runs it is the application's active form; when it ends, the
// form that was active before is activated again, as Windows does.
int SimForm::ShowModal()
{
    SimForm* previous = std::exchange(widgets_.ActiveForm, this);
    modalResult_ = ModalResultNone;
    ShownModal = true;
    Fire(OnShow);
    if (widgets_.WhileModal)
        widgets_.WhileModal(*this);
    if (modalResult_ == ModalResultNone)
        modalResult_ = ModalResultCancel; // the user closed the window
    ShownModal = false;
    if (previous != nullptr && previous->Visible())
        previous->Guard([previous] { previous->BecomeActiveForm(); });
    else
        widgets_.ActiveForm = previous;
    return modalResult_;
}

namespace {

// Preview first; then Enter presses the default button, and any other key-down
// goes to the control it was meant for, the one focused when the key was pressed
// (as a WM_KEYDOWN keeps its window). The character a key types goes to the edit
// focused after the preview, so that a letter typed while the list had the focus
// lands in the edit the preview moved the focus to.
void DeliverKey(SimForm& form, SimContainer& controls, int key, char typed)
{
    SimControl* target = form.FocusedControl();
    if (form.OnKeyDown)
        form.OnKeyDown(key);
    if (key == 0)
        return;
    if (key == vk::Return) {
        if (SimButton* button = controls.DefaultButton()) {
            button->Press();
            return;
        }
    }
    if (SimMenuItem* item = controls.ShortCutItem(key)) {
        Fire(item->OnClick);
        return;
    }
    if (static_cast<unsigned char>(typed) >= 32) {
        if (auto* edit = dynamic_cast<SimEdit*>(form.FocusedControl()))
            edit->TypeChar(typed);
        return;
    }
    if (target != nullptr)
        target->HandleKey(key);
}

} // namespace

void SimForm::PressKey(int key)
{
    Guard([&] { DeliverKey(*this, controls_, key, 0); });
}

void SimForm::Type(const std::string& text)
{
    for (const char c : text)
        Guard([&] { DeliverKey(*this, controls_, KeyOfChar(c), c); });
}

void SimForm::DropFiles(const std::vector<std::string>& names)
{
    Guard([&] {
        if (AcceptsDroppedFiles && OnDropFiles)
            OnDropFiles(names);
    });
}

void SimForm::Guard(const std::function<void()>& action)
{
    platform::RunHandler(action);
}

int KeyOfChar(char c)
{
    const auto code = static_cast<unsigned char>(c);
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
        return code;
    switch (c) {
    case '\b': return vk::Back;
    case '\t': return vk::Tab;
    case '\r': case '\n': return vk::Return;
    case ')': return '0';
    case '!': return '1';
    case '@': return '2';
    case '#': return '3';
    case '$': return '4';
    case '%': return '5';
    case '^': return '6';
    case '&': return '7';
    case '*': return '8';
    case '(': return '9';
    case ';': case ':': return 0xBA;
    case '=': case '+': return 0xBB;
    case ',': case '<': return 0xBC;
    case '-': case '_': return 0xBD;
    case '.': case '>': return 0xBE;
    case '/': case '?': return 0xBF;
    case '`': case '~': return 0xC0;
    case '[': case '{': return 0xDB;
    case '\\': case '|': return 0xDC;
    case ']': case '}': return 0xDD;
    case '\'': case '"': return 0xDE;
    default: return 0xDF; // a key of the national layout
    }
}

std::unique_ptr<IForm> SimWidgets::CreateForm(const std::string& className)
{
    return std::make_unique<SimForm>(*this, className);
}

} // namespace platform::headless
