#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "forms/FormDescription.h"
#include "platform/win32/Forms.h"
#include "platform/win32/MessagePump.h"
#include "res/resource.h"

namespace {

using platform::win32::Win32Form;

// The options dialog's form as its template makes it, without the settings behind it.
class ConfigTemplateTest : public Win32Test {
protected:
    ConfigTemplateTest()
        : owned_(platform::Widgets().CreateForm("TfrmConfig")), form_(static_cast<Win32Form&>(*owned_))
    {
    }

    static void Pump() { platform::win32::PumpMessagesUntil([] { return false; }, 50); }
    static void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 1)
    {
        PostMessageA(window, message, wParam, lParam);
        Pump();
    }
    // Where the control is in its form's client area.
    RECT InForm(HWND control) const
    {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, form_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static std::string WindowText(HWND window)
    {
        char text[128] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }
    static LONG Weight(HWND window)
    {
        LOGFONTA face{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(face), &face);
        return face.lfWeight;
    }

    std::unique_ptr<platform::IForm> owned_;
    Win32Form& form_;
};

TEST_F(ConfigTemplateTest, CheckBoxFollowsTheProgramTheMouseAndTheSpaceBar)
{
    form_.Show();
    auto& box = form_.CheckBox("cbAddShift");
    EXPECT_FALSE(box.Checked());
    box.SetChecked(true);
    EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box.Checked());
    // The key goes straight to the box, down and up with nothing in between: a
    // check box drops a press when its capture is taken, as another program's
    // activation would do while messages are pumped.
    SendMessageA(box.Handle(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageA(box.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(false);
    EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ConfigTemplateTest, ComboBoxHoldsItsItemsWithTheirNumbersAndMayHaveNoSelection)
{
    auto& list = form_.ComboBox("cbxRun");
    EXPECT_EQ(GetWindowLongA(list.Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST) << "a choice only, no typing";
    list.Add("A", 65);
    list.Add("B", 66);
    list.Add("C", 67);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(SendMessageA(list.Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list.Handle(), CB_GETITEMDATA, 1, 0), 66);
    EXPECT_EQ(list.Data(2), 67);
    EXPECT_EQ(list.Text(2), "C");
    EXPECT_THROW(list.Data(3), std::out_of_range);
    EXPECT_THROW(list.Data(-1), std::out_of_range);

    EXPECT_EQ(list.ItemIndex(), platform::IComboBox::NoItem);
    list.SetItemIndex(1);
    EXPECT_EQ(SendMessageA(list.Handle(), CB_GETCURSEL, 0, 0), 1);
    list.SetItemIndex(3);
    EXPECT_EQ(list.ItemIndex(), 1) << "an item out of range is ignored";
    list.SetItemIndex(platform::IComboBox::NoItem);
    EXPECT_EQ(SendMessageA(list.Handle(), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(list.ItemIndex(), platform::IComboBox::NoItem);

    SendMessageA(list.Handle(), WM_CHAR, 'c', 1); // the user types the letter
    EXPECT_EQ(list.ItemIndex(), 2);
}

TEST_F(ConfigTemplateTest, CheckListTogglesWithSpaceAndAClickOnTheBox)
{
    form_.Show();
    form_.PageControl("PageControl1").SetActivePage(1);
    auto& list = form_.CheckListBox("clbLocationsToSearch");
    for (const char* text : {"first", "second", "third"})
        list.Add(text);
    ASSERT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(list.Text(1), "second");
    EXPECT_FALSE(list.Checked(1));
    list.SetChecked(1, true);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_THROW(list.SetChecked(3, true), std::out_of_range);

    list.SetFocus();
    Post(list.Handle(), WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(list.Checked(0)) << "Space checks the first item, which has the focus";
    Post(list.Handle(), WM_KEYDOWN, VK_DOWN);
    Post(list.Handle(), WM_KEYDOWN, VK_SPACE);
    EXPECT_FALSE(list.Checked(1));
    EXPECT_TRUE(list.Checked(0));

    RECT item{};
    item.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(list.Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)));
    LVHITTESTINFO hit{};
    hit.pt = {item.left + 8, (item.top + item.bottom) / 2};
    ASSERT_EQ(SendMessageA(list.Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
    ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON);
    const LPARAM point = MAKELPARAM(hit.pt.x, hit.pt.y);
    Post(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    Post(list.Handle(), WM_LBUTTONUP, 0, point);
    EXPECT_TRUE(list.Checked(2));

    RECT client{};
    GetClientRect(list.Handle(), &client);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETCOLUMNWIDTH, 0, 0), client.right) << "the one column fills the list";
}

TEST_F(ConfigTemplateTest, FormHasItsSizePagesAndButtonStrip)
{
    RECT client{};
    GetClientRect(form_.Handle(), &client);
    // Designed at 96 pixels per inch; the test runs at whatever scale its Wine prefix has.
    const int dpi = form_.Dpi();
    EXPECT_EQ(client.right, forms::Scaled(473, dpi));
    EXPECT_EQ(client.bottom, forms::Scaled(526, dpi));
    RECT frame{}, work{};
    GetWindowRect(form_.Handle(), &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1) << "centred";
    EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1) << "centred";
    EXPECT_FALSE(GetWindowLongA(form_.Handle(), GWL_STYLE) & WS_THICKFRAME) << "a dialog border";

    auto& pages = form_.PageControl("PageControl1");
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.ActivePage(), 0);
    const char* captions[] = {"General Setup", "Locations to Search"};
    for (int page = 0; page < 2; ++page)
        EXPECT_EQ(TabCaption(pages.Handle(), page), captions[page]);

    const RECT ok = InForm(form_.Button("Button1").Handle());
    const RECT cancel = InForm(form_.Button("Button2").Handle());
    EXPECT_EQ(WindowText(form_.Button("Button1").Handle()), "&Ok");
    EXPECT_EQ(WindowText(form_.Button("Button2").Handle()), "&Cancel");
    EXPECT_EQ(cancel.right, client.right - forms::Scaled(6, dpi)) << "right-aligned inside the border";
    EXPECT_LT(ok.right, cancel.left) << "Ok left of Cancel";
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_LE(cancel.bottom, client.bottom - forms::Scaled(6, dpi));
    EXPECT_LE(InForm(pages.Handle()).bottom, ok.top);
}

TEST_F(ConfigTemplateTest, GeneralPageStacksThreeGroupsOf140Pixels)
{
    HWND page = GetParent(form_.CheckBox("cbKeyWin").Handle());
    const char* titles[] = {"Launch a Program Shortcut Key", "Add a Shortcut Key",
                            "Display Running Programs Shortcut Key"};
    const int titleIds[] = {IDC_KEYTITLE, IDC_ADDTITLE, IDC_RUNTITLE};
    const char* groups[] = {"Key", "Add", "Run"};
    RECT first{};
    for (int group = 0; group < 3; ++group) {
        HWND title = GetDlgItem(page, titleIds[group]);
        EXPECT_EQ(WindowText(title), titles[group]);
        EXPECT_GE(Weight(title), FW_BOLD);
        EXPECT_LT(Weight(GetDlgItem(page, titleIds[group] + 1)), FW_BOLD);
        EXPECT_EQ(WindowText(GetDlgItem(page, titleIds[group] + 1)), "Pick one or more of these:");
        EXPECT_EQ(WindowText(GetDlgItem(page, titleIds[group] + 6)), "and this key:");

        const std::string name = groups[group];
        const char* boxes[] = {"Win", "Ctrl", "Shift", "Alt"};
        const char* captions[] = {"Windows Key", "Ctrl Key", "Shift Key", "Alt Key"};
        int previousTop = -1;
        for (int box = 0; box < 4; ++box) {
            HWND window = form_.CheckBox("cb" + name + boxes[box]).Handle();
            EXPECT_EQ(WindowText(window), captions[box]);
            RECT rect{};
            GetWindowRect(window, &rect);
            EXPECT_GT(static_cast<int>(rect.top), previousTop) << "in this order, top to bottom";
            previousTop = rect.top;
        }
        RECT win{};
        GetWindowRect(form_.CheckBox("cb" + name + "Win").Handle(), &win);
        if (group == 0)
            first = win;
        EXPECT_NEAR(win.top - first.top, forms::Scaled(140 * group, form_.Dpi()), 1);
    }
    RECT line{}, nextTitle{};
    GetWindowRect(GetDlgItem(page, IDC_KEYLINE), &line);
    GetWindowRect(GetDlgItem(page, IDC_ADDTITLE), &nextTitle);
    EXPECT_LT(line.bottom, nextTitle.top + 1) << "the line separates the groups";
}

TEST_F(ConfigTemplateTest, LocationsPageHoldsTheCheckListInsideAnEightPixelBorderAtAnyScale)
{
    HWND list = form_.CheckListBox("clbLocationsToSearch").Handle();
    RECT page{}, rect{};
    GetClientRect(GetParent(list), &page);
    GetWindowRect(list, &rect);
    MapWindowPoints(nullptr, GetParent(list), reinterpret_cast<POINT*>(&rect), 2);
    const int border = forms::Scaled(8, form_.Dpi());
    EXPECT_EQ(rect.left, border);
    EXPECT_EQ(rect.top, border);
    EXPECT_EQ(page.right - rect.right, border);
    EXPECT_EQ(page.bottom - rect.bottom, border);
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LVS_NOCOLUMNHEADER);
}

TEST_F(ConfigTemplateTest, TabWalksThePageInOrderAndReachesTheButtonsAndTheTabs)
{
    form_.Show();
    // Tab moves the focus to the dialog's next tab stop (IsDialogMessage asks
    // GetNextDlgTabItem). The walk is read from there, not from the focus itself,
    // which another program taking the activation could move meanwhile.
    // The rest of the first group, the other two groups, the sign-in box, the buttons,
    // the tabs, and round again.
    const std::vector<int> expected = {
        IDC_CBKEYCTRL,    IDC_CBKEYSHIFT, IDC_CBKEYALT,        IDC_CBXKEY,   IDC_CBADDWIN,
        IDC_CBADDCTRL,    IDC_CBADDSHIFT, IDC_CBADDALT,        IDC_CBXADD,   IDC_CBRUNWIN,
        IDC_CBRUNCTRL,    IDC_CBRUNSHIFT, IDC_CBRUNALT,        IDC_CBXRUN,   IDC_CBSTARTATSIGNIN,
        IDC_CONFIGOK,     IDC_CONFIGCANCEL, IDC_PAGECONTROL1,  IDC_CBKEYWIN, IDC_CBKEYCTRL,
    };
    std::vector<int> stops;
    HWND current = form_.CheckBox("cbKeyWin").Handle();
    while (stops.size() < expected.size()) {
        current = GetNextDlgTabItem(form_.Handle(), current, FALSE);
        stops.push_back(GetDlgCtrlID(current));
    }
    EXPECT_EQ(stops, expected);
}

} // namespace
