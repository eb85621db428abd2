#include "platform/win32/Controls.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "platform/ErrorReport.h"
#include "forms/FormDescription.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Icons.h"

namespace platform::win32 {

namespace {

// Sets a flag for the life of the object.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

void Win32Panel::Resize(int width)
{
    if (width == width_)
        return;
    width_ = width;
    Fire(OnResize);
}

std::string Win32Edit::Text() const
{
    const int length = GetWindowTextLengthA(window_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

// The edit notifies EN_CHANGE from inside SetWindowTextA; that notification is
// skipped and the change handler runs here instead, so that its errors reach the
// caller as they do for a change made by the program anywhere else.
void Win32Edit::SetText(const std::string& text)
{
    if (text == Text())
        return;
    {
        FlagScope setting(settingText_);
        SetWindowTextA(window_, text.c_str());
        const auto end = static_cast<WPARAM>(text.size());
        SendMessageA(window_, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    Fire(OnChange);
}

// The shell's own path completion: a drop-down of suggestions and inline completion.
// It needs COM on this thread; where the shell cannot give it (Wine's is a stub)
// the edit simply stays without it.
void Win32Edit::CompletePaths()
{
    SHAutoComplete(window_, SHACF_FILESYSTEM | SHACF_AUTOSUGGEST_FORCE_ON | SHACF_AUTOAPPEND_FORCE_ON);
}

void Win32Edit::Command(int notification)
{
    if (notification == EN_CHANGE && !settingText_)
        RunHandler([this] { Fire(OnChange); });
}

void Win32Button::SetDefault(bool isDefault)
{
    isDefault_ = isDefault;
    SendMessageA(window_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Win32Button::Click()
{
    Fire(OnClick);
}

void Win32Button::Command(int notification)
{
    if (notification == BN_CLICKED)
        RunHandler([this] { Click(); });
}

void Win32MenuItem::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (!inContextMenu_ && menu_ != nullptr)
        ModifyMenuA(menu_, static_cast<UINT>(id_), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id_), caption.c_str());
}

void Win32MenuItem::Click()
{
    Fire(OnClick);
}

void Win32ListBox::Add(ListRow row)
{
    rows_.push_back(std::move(row));
    Changed();
}

void Win32ListBox::AddRows(std::vector<ListRow> rows)
{
    if (rows_.empty())
        rows_ = std::move(rows);
    else
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    Changed();
}

void Win32ListBox::SetText(int row, std::string text)
{
    rows_.at(Index(row)).Text = std::move(text);
    if (updateLevel_ > 0)
        return;
    RECT rect{};
    if (SendMessageA(window_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        InvalidateRect(window_, &rect, TRUE);
}

void Win32ListBox::Clear()
{
    rows_.clear();
    selectedInUpdate_ = NoRow;
    countStale_ = true;
    Changed();
}

int Win32ListBox::ItemIndex() const
{
    if (countStale_)
        return selectedInUpdate_;
    const auto row = static_cast<int>(SendMessageA(window_, LB_GETCURSEL, 0, 0));
    return row == LB_ERR ? NoRow : row;
}

void Win32ListBox::SetItemIndex(int row)
{
    if (row < NoRow || row >= Count())
        return;
    if (countStale_)
        selectedInUpdate_ = row;
    else
        SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// WM_SETREDRAW holds off drawing until the outermost update ends.
void Win32ListBox::BeginUpdate()
{
    if (updateLevel_++ == 0)
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
}

void Win32ListBox::EndUpdate()
{
    if (updateLevel_ == 0 || --updateLevel_ > 0)
        return;
    Changed();
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

// Rows changed: the window learns their number once, with the selection kept
// while its row still exists (LB_SETCOUNT drops it).
void Win32ListBox::Changed()
{
    if (!countStale_) {
        selectedInUpdate_ = ItemIndex();
        countStale_ = true;
    }
    if (updateLevel_ > 0)
        return;
    const int selected = selectedInUpdate_;
    SendMessageA(window_, LB_SETCOUNT, rows_.size(), 0);
    countStale_ = false;
    SendMessageA(window_, LB_SETCURSEL, selected < Count() ? static_cast<WPARAM>(selected) : static_cast<WPARAM>(-1), 0);
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32ListBox::KeyDown(int key)
{
    SendMessageA(window_, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
}

// Only the strip of the icons is drawn again: the texts stay as they are.
void Win32ListBox::RepaintIcons()
{
    if (updateLevel_ > 0)
        return;
    RECT strip{};
    GetClientRect(window_, &strip);
    const int dpi = WindowDpi(window_);
    strip.right = std::min(strip.right, static_cast<LONG>(forms::ListIconSizeAt(dpi) + forms::Scaled(4, dpi)));
    InvalidateRect(window_, &strip, FALSE);
}

void Win32ListBox::Command(int notification)
{
    if (notification == LBN_SELCHANGE)
        RunHandler([this] { Fire(OnSelect); });
    else if (notification == LBN_DBLCLK)
        RunHandler([this] { Fire(OnDblClick); });
}

void Win32ListBox::Draw(const DRAWITEMSTRUCT& item) const
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID != static_cast<UINT>(-1) && item.itemID < rows_.size()) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = item.rcItem;
        text.left += 2;
        if (RowIcon) {
            // Asked only now, for the rows being drawn: a refill of the whole catalogue costs nothing here.
            const int dpi = WindowDpi(window_);
            const int size = forms::ListIconSizeAt(dpi);
            const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size) / 2;
            DrawListIcon(item.hDC, item.rcItem.left + forms::Scaled(2, dpi), top, size,
                         RowIcon(static_cast<int>(item.itemID)));
            text.left = item.rcItem.left + size + forms::Scaled(6, dpi);
        }
        // DrawTextA would read the text in the font's code page (1252 for a Western
        // font), not the process's: a UTF-8 name would show as "CafÃ©".
        const std::wstring caption = AnsiToWide(rows_[item.itemID].Text);
        DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &item.rcItem);
}

// x and y are -1 when the menu was asked for from the keyboard (Shift+F10).
void Win32ListBox::ShowContextMenu(int x, int y)
{
    if (ContextMenu.empty())
        return;
    const UniqueMenu popup(CreatePopupMenu());
    for (const Win32MenuItem* item : ContextMenu)
        AppendMenuA(popup.Get(), MF_STRING, static_cast<UINT_PTR>(item->Id()), item->Caption().c_str());
    if (x == -1 && y == -1) {
        RECT rect{};
        GetWindowRect(window_, &rect);
        x = rect.left + 8;
        y = rect.top + 8;
    }
    const int command = TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window_, nullptr);
    for (Win32MenuItem* item : ContextMenu)
        if (item->Id() == command)
            RunHandler([item] { item->Click(); });
}

int Win32PageControl::ActivePage() const
{
    return static_cast<int>(SendMessageA(window_, TCM_GETCURSEL, 0, 0));
}

void Win32PageControl::SetActivePage(int page)
{
    if (page < 0 || page >= PageCount())
        return;
    const bool changed = page != ActivePage();
    SendMessageA(window_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowOnly(page);
    if (changed && OnPageShow)
        OnPageShow(page);
}

void Win32PageControl::TabChanged()
{
    const int page = ActivePage();
    ShowOnly(page);
    RunHandler([this, page] {
        if (OnPageShow)
            OnPageShow(page);
    });
}

void Win32PageControl::ShowOnly(int page)
{
    for (std::size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
}

// The pages are siblings of the tab control laid over its display area, above it
// in the z-order so that they get the clicks.
void Win32PageControl::Place(const RECT& area)
{
    SetWindowPos(window_, HWND_BOTTOM, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
    RECT display = area;
    SendMessageA(window_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_)
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
}

} // namespace platform::win32
