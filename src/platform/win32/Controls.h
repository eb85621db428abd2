#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Widgets.h"

namespace platform::win32 {

// What the dialog procedure needs of every bound control.
class Win32Widget {
public:
    virtual ~Win32Widget() = default;
    // A WM_COMMAND notification from the control (EN_CHANGE, BN_CLICKED, LBN_...).
    virtual void Command(int notification) { (void)notification; }
    // The form's layout puts the control at this rectangle of its dialog.
    virtual void Place(const RECT& area) { (void)area; }
};

// The IControl operations over a control window.
template <class Interface>
class WindowControl : public Win32Widget, public Interface {
public:
    explicit WindowControl(HWND window) : window_(window) {}
    void SetFocus() override { ::SetFocus(window_); }
    bool Focused() const override { return GetFocus() == window_; }
    int Width() const override
    {
        RECT rect{};
        GetWindowRect(window_, &rect);
        return rect.right - rect.left;
    }
    void SetWidth(int width) override
    {
        RECT rect{};
        GetWindowRect(window_, &rect);
        SetWindowPos(window_, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND Handle() const { return window_; }
    void Place(const RECT& area) override
    {
        SetWindowPos(window_, nullptr, area.left, area.top, std::max(area.right - area.left, 0L),
                     std::max(area.bottom - area.top, 0L), SWP_NOZORDER | SWP_NOACTIVATE);
    }

protected:
    HWND window_;
};

// An area of a form that the layout computes; it has no window of its own.
class Win32Panel : public Win32Widget, public IPanel {
public:
    void SetFocus() override {}
    bool Focused() const override { return false; }
    int Width() const override { return width_; }
    void SetWidth(int width) override { width_ = width; }
    // The layout gave the panel this width; OnResize runs when it changed.
    void Resize(int width);
    void Place(const RECT& area) override { Resize(area.right - area.left); }

private:
    int width_ = -1;
};

class Win32Edit : public WindowControl<IEdit> {
public:
    using WindowControl::WindowControl;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void CompletePaths() override;
    void Command(int notification) override;

private:
    bool settingText_ = false;
};

class Win32Button : public WindowControl<IButton> {
public:
    using WindowControl::WindowControl;
    void SetCaption(const std::string& caption) override { SetWindowTextA(window_, caption.c_str()); }
    void SetDefault(bool isDefault) override;
    bool IsDefault() const { return isDefault_; }
    // Presses the button as a click would.
    void Click();
    void Command(int notification) override;

private:
    bool isDefault_ = false;
};

// A menu command: an item of a list's context menu or of the window's menu.
class Win32MenuItem : public Win32Widget, public IMenuItem {
public:
    Win32MenuItem(HMENU menu, int id, bool inContextMenu) : menu_(menu), id_(id), inContextMenu_(inContextMenu) {}
    void SetCaption(const std::string& caption) override;
    void SetShortCut(int key) override { shortCut_ = key; }
    int ShortCut() const { return shortCut_; }
    int Id() const { return id_; }
    bool InContextMenu() const { return inContextMenu_; }
    const std::string& Caption() const { return caption_; }
    void Click();

private:
    HMENU menu_;
    int id_;
    bool inContextMenu_;
    int shortCut_ = 0;
    std::string caption_;
};

// An owner-drawn list box without data of its own (LBS_NODATA): the rows live
// here and the window is only told their number, so refilling it costs one call.
class Win32ListBox : public WindowControl<IListBox> {
public:
    using WindowControl::WindowControl;
    int Count() const override { return static_cast<int>(rows_.size()); }
    const std::string& Text(int row) const override { return rows_.at(Index(row)).Text; }
    std::uintptr_t Data(int row) const override { return rows_.at(Index(row)).Data; }
    void Add(ListRow row) override;
    void AddRows(std::vector<ListRow> rows) override;
    void SetText(int row, std::string text) override;
    void Clear() override;
    int ItemIndex() const override;
    void SetItemIndex(int row) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void KeyDown(int key) override;
    void RepaintIcons() override;
    void Command(int notification) override;

    void Draw(const DRAWITEMSTRUCT& item) const;

    // The menu the list shows on a right click, made of its form's context-menu items.
    std::vector<Win32MenuItem*> ContextMenu;
    void ShowContextMenu(int x, int y);

private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
    void Changed();

    std::vector<ListRow> rows_;
    int selectedInUpdate_ = NoRow;
    int updateLevel_ = 0;
    bool countStale_ = false;
};

class Win32PageControl : public WindowControl<IPageControl> {
public:
    Win32PageControl(HWND tabs, std::vector<HWND> pages) : WindowControl(tabs), pages_(std::move(pages)) {}
    int PageCount() const override { return static_cast<int>(pages_.size()); }
    int ActivePage() const override;
    void SetActivePage(int page) override;
    // Fits the tab control and its pages into this rectangle of the parent.
    void Place(const RECT& area) override;
    // The user picked a tab (TCN_SELCHANGE).
    void TabChanged();

private:
    void ShowOnly(int page);
    std::vector<HWND> pages_;
};

} // namespace platform::win32
