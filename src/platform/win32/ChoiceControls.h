#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Controls.h"

namespace platform::win32 {

// A check box (BS_AUTOCHECKBOX): the button flips its own mark on a click or Space.
class Win32CheckBox : public WindowControl<ICheckBox> {
public:
    using WindowControl::WindowControl;
    bool Checked() const override;
    void SetChecked(bool checked) override;
};

// A drop-down list without typing (CBS_DROPDOWNLIST); each item's number is its item data.
class Win32ComboBox : public WindowControl<IComboBox> {
public:
    using WindowControl::WindowControl;
    int Count() const override { return static_cast<int>(texts_.size()); }
    const std::string& Text(int item) const override { return texts_.at(static_cast<std::size_t>(item)); }
    std::intptr_t Data(int item) const override;
    void Add(const std::string& text, std::intptr_t data) override;
    int ItemIndex() const override;
    void SetItemIndex(int item) override;

private:
    WPARAM Existing(int item) const;
    std::vector<std::string> texts_;
};

// A report-style list view with check boxes, no header and one column that fills it.
class Win32CheckListBox : public WindowControl<ICheckListBox> {
public:
    explicit Win32CheckListBox(HWND list);
    int Count() const override { return static_cast<int>(texts_.size()); }
    const std::string& Text(int item) const override { return texts_.at(static_cast<std::size_t>(item)); }
    void Add(const std::string& text) override;
    bool Checked(int item) const override;
    void SetChecked(int item, bool checked) override;
    // Places the list and widens its column to the new width.
    void Place(const RECT& area) override;

private:
    WPARAM Existing(int item) const;
    std::vector<std::string> texts_;
};

} // namespace platform::win32
