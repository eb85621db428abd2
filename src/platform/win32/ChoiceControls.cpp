#include "platform/win32/ChoiceControls.h"

#include <commctrl.h>

#include <stdexcept>

#include "common/Exception.h"

namespace platform::win32 {

namespace {

// An item the list does not have is an error, as it is in the simulator's lists.
WPARAM ExistingItem(int item, const std::vector<std::string>& texts)
{
    if (item < 0 || static_cast<std::size_t>(item) >= texts.size())
        throw std::out_of_range("The list has no item " + std::to_string(item));
    return static_cast<WPARAM>(item);
}

} // namespace

bool Win32CheckBox::Checked() const
{
    return SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::SetChecked(bool checked)
{
    SendMessageA(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

WPARAM Win32ComboBox::Existing(int item) const
{
    return ExistingItem(item, texts_);
}

std::intptr_t Win32ComboBox::Data(int item) const
{
    return static_cast<std::intptr_t>(SendMessageA(window_, CB_GETITEMDATA, Existing(item), 0));
}

void Win32ComboBox::Add(const std::string& text, std::intptr_t data)
{
    const auto item = SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (item == CB_ERR || item == CB_ERRSPACE)
        throw Exception("The list cannot take the item " + text);
    SendMessageA(window_, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(data));
    texts_.push_back(text);
}

int Win32ComboBox::ItemIndex() const
{
    const auto item = SendMessageA(window_, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? NoItem : static_cast<int>(item);
}

void Win32ComboBox::SetItemIndex(int item)
{
    if (item < NoItem || item >= Count())
        return;
    SendMessageA(window_, CB_SETCURSEL, static_cast<WPARAM>(item), 0); // -1 clears it
}

Win32CheckListBox::Win32CheckListBox(HWND list) : WindowControl(list)
{
    constexpr DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageA(window_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void Win32CheckListBox::Add(const std::string& text)
{
    std::string caption = text;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = caption.data();
    const auto index = SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (index == -1)
        throw Exception("The list cannot take the item " + text);
    texts_.push_back(text);
    if (index == 0) {
        // The first item has the keyboard's focus, so Space works as soon as the list has it.
        LVITEMA state{};
        state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        state.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(window_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
}

WPARAM Win32CheckListBox::Existing(int item) const
{
    return ExistingItem(item, texts_);
}

// The check mark is the item's state image: 1 unchecked, 2 checked.
bool Win32CheckListBox::Checked(int item) const
{
    const auto state = SendMessageA(window_, LVM_GETITEMSTATE, Existing(item), LVIS_STATEIMAGEMASK);
    return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void Win32CheckListBox::SetChecked(int item, bool checked)
{
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageA(window_, LVM_SETITEMSTATE, Existing(item), reinterpret_cast<LPARAM>(&state));
}

void Win32CheckListBox::Place(const RECT& area)
{
    WindowControl::Place(area);
    RECT client{};
    GetClientRect(window_, &client);
    SendMessageA(window_, LVM_SETCOLUMNWIDTH, 0, client.right);
}

} // namespace platform::win32
