#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "platform/win32/Forms.h"
#include "platform/win32/MessagePump.h"
#include "common/Exception.h"

namespace {

using platform::IForm;
using platform::ListRow;
using platform::win32::Win32Container;
using platform::win32::Win32Form;


class Win32WidgetsTest : public Win32Test {
protected:
    Win32WidgetsTest()
    {
        form_ = platform::Widgets().CreateForm("TfrmSelector");
        frame_ = &static_cast<Win32Form&>(*form_).Frame("frmSearchUI1");
    }
    ~Win32WidgetsTest() override { form_.reset(); }

    static void Pump() { platform::win32::PumpMessagesUntil([] { return false; }, 50); }
    // A key pressed while this control has the focus, as the keyboard would post it.
    static void PressKey(HWND control, int key)
    {
        PostMessageA(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        Pump();
    }
    static std::vector<ListRow> Rows(int count)
    {
        std::vector<ListRow> rows;
        for (int n = 0; n < count; ++n)
            rows.push_back({"row " + std::to_string(n), static_cast<std::uintptr_t>(n)});
        return rows;
    }

    RecordingPlatform* platform_ = &InstallPlatform<RecordingPlatform>();
    std::unique_ptr<IForm> form_;
    Win32Container* frame_ = nullptr;
};

TEST_F(Win32WidgetsTest, TypedCharactersAndProgramChangesNotifyOncePerRealChange)
{
    auto& edit = frame_->Edit("edLaunch");
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    SendMessageA(edit.Handle(), WM_CHAR, 'n', 1);
    SendMessageA(edit.Handle(), WM_CHAR, 'p', 1);
    EXPECT_EQ(edit.Text(), "np");
    EXPECT_EQ(changes, 2);
    edit.SetText("np");
    EXPECT_EQ(changes, 2) << "the same text is no change";
    edit.SetText("");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(GetWindowTextLengthA(edit.Handle()), 0);
}

TEST_F(Win32WidgetsTest, CharactersOfAnyScriptReachTheEditWhole)
{
    auto& edit = frame_->Edit("edLaunch");
    // As the keyboard or an input method posts them: UTF-16 characters.
    for (const wchar_t character : {L'\u65E5', L'\u672C', L'\u03A9', L'\u00E9'})
        PostMessageW(edit.Handle(), WM_CHAR, character, 1);
    Pump();
    EXPECT_EQ(edit.Text(), "\xE6\x97\xA5\xE6\x9C\xAC\xCE\xA9\xC3\xA9"); // 日本Ωé in UTF-8
}

// The pixels of a row as the list draws it, beside the pixels of the same text drawn
// by the system from UTF-16.
class RowPixels {
public:
    explicit RowPixels(HWND list) : screen_(GetDC(nullptr)), dc_(CreateCompatibleDC(screen_))
    {
        bitmap_ = CreateCompatibleBitmap(screen_, Width, Height);
        SelectObject(dc_, bitmap_);
        SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    }
    ~RowPixels()
    {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        ReleaseDC(nullptr, screen_);
    }
    RowPixels(const RowPixels&) = delete;
    RowPixels& operator=(const RowPixels&) = delete;

    std::vector<COLORREF> OfListRow(const platform::win32::Win32ListBox& list, UINT row)
    {
        DRAWITEMSTRUCT item{};
        item.itemID = row;
        item.hDC = dc_;
        item.rcItem = {0, 0, Width, Height};
        list.Draw(item);
        return Pixels();
    }
    std::vector<COLORREF> OfText(const std::wstring& text)
    {
        RECT rect{0, 0, Width, Height};
        FillRect(dc_, &rect, GetSysColorBrush(COLOR_WINDOW));
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, GetSysColor(COLOR_WINDOWTEXT));
        rect.left += 2;
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        return Pixels();
    }

private:
    static constexpr int Width = 200;
    static constexpr int Height = 16;
    std::vector<COLORREF> Pixels()
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                pixels.push_back(GetPixel(dc_, x, y));
        return pixels;
    }

    HDC screen_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
};

TEST_F(Win32WidgetsTest, ListRowsShowTheirTextInAnyScript)
{
    auto& list = frame_->ListBox("lbSearch");
    list.AddRows({{"Caf\xC3\xA9 \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", 0}}); // Café Ωμέγα
    RowPixels pixels(list.Handle());
    const auto drawn = pixels.OfListRow(list, 0);
    EXPECT_EQ(drawn, pixels.OfText(L"Caf\u00E9 \u03A9\u03BC\u03AD\u03B3\u03B1"));
    EXPECT_NE(drawn, pixels.OfText(L"Caf\u00C3\u00A9 \u00CE\u00A9")) << "not read as Western bytes";
}

TEST_F(Win32WidgetsTest, ListIsVirtualAndKeepsSelectionAcrossRefills)
{
    auto& list = frame_->ListBox("lbSearch");
    list.BeginUpdate();
    list.AddRows(Rows(20000));
    list.SetItemIndex(3);
    EXPECT_EQ(list.ItemIndex(), 3);
    list.EndUpdate();
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 20000);
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(list.Text(19999), "row 19999");
    EXPECT_EQ(list.Data(7), 7u);

    list.Add({"one more", 1});
    EXPECT_EQ(list.Count(), 20001);
    EXPECT_EQ(list.ItemIndex(), 3);

    list.Clear();
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(list.ItemIndex(), platform::IListBox::NoRow);
    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), platform::IListBox::NoRow) << "a row that does not exist is not selected";
}

TEST_F(Win32WidgetsTest, KeyDownOnTheListMovesTheSelectionAndNotifies)
{
    auto& list = frame_->ListBox("lbSearch");
    list.AddRows(Rows(5));
    list.SetItemIndex(0);
    int selects = 0;
    list.OnSelect = [&] { ++selects; };
    list.SetFocus();
    list.KeyDown(platform::vk::Down);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    list.SetItemIndex(4);
    EXPECT_EQ(selects, 1) << "a selection made by the program is not the user's";
}

TEST_F(Win32WidgetsTest, FormPreviewsKeysAndEnterPressesTheDefaultButton)
{
    form_->Show();
    auto& edit = frame_->Edit("edLaunch");
    auto& button = frame_->Button("Button1");
    button.SetDefault(true);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    std::vector<int> previewed;
    form_->OnKeyDown = [&](int& key) {
        previewed.push_back(key);
        if (key == 'Q')
            key = 0; // consumed: the edit never sees it
    };
    edit.SetFocus();
    PressKey(edit.Handle(), 'A');
    PressKey(edit.Handle(), 'Q');
    PressKey(edit.Handle(), VK_RETURN);
    EXPECT_EQ(previewed, (std::vector<int>{'A', 'Q', VK_RETURN}));
    EXPECT_EQ(edit.Text(), "a");
    EXPECT_EQ(clicks, 1);
}

TEST_F(Win32WidgetsTest, ModalDialogEndsWithTheResultSetByItsHandlers)
{
    auto& edit = frame_->Edit("edLaunch");
    auto& button = frame_->Button("Button1");
    button.SetDefault(true);
    button.OnClick = [&] { form_->SetModalResult(platform::ModalResultOk); };
    form_->OnShow = [&] {
        edit.SetFocus();
        PostMessageA(edit.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    };
    EXPECT_EQ(form_->ShowModal(), platform::ModalResultOk);
    EXPECT_FALSE(form_->Visible());

    form_->OnKeyDown = [&](int& key) {
        if (key == VK_ESCAPE) {
            form_->SetModalResult(platform::ModalResultCancel);
            key = 0;
        }
    };
    form_->OnShow = [&] {
        edit.SetFocus();
        PostMessageA(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    };
    EXPECT_EQ(form_->ShowModal(), platform::ModalResultCancel);

    form_->OnShow = [&] { PostMessageA(static_cast<Win32Form&>(*form_).Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(form_->ShowModal(), platform::ModalResultCancel) << "the close box cancels";
}

TEST_F(Win32WidgetsTest, ErrorLeavingAHandlerIsReportedAndTheFormGoesOn)
{
    auto& edit = frame_->Edit("edLaunch");
    edit.OnChange = [] { throw Exception("Unmatched ( in the pattern"); };
    SendMessageA(edit.Handle(), WM_CHAR, '(', 1);
    ASSERT_EQ(platform_->recording.Errors.size(), 1u);
    EXPECT_EQ(platform_->recording.Errors[0], "Unmatched ( in the pattern.");
    edit.OnChange = nullptr;
    SendMessageA(edit.Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(edit.Text(), "(x");
}

TEST_F(Win32WidgetsTest, PanelResizeFollowsTheFormsSize)
{
    auto& panel = frame_->Panel("pnlTopLeft");
    std::vector<int> widths;
    panel.OnResize = [&] { widths.push_back(panel.Width()); };
    HWND frame = frame_->Handle();
    SetWindowPos(frame, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_FALSE(widths.empty());
    EXPECT_EQ(widths.back(), 500 - 91);
}

TEST(Win32MainFormTemplate, HasItsThreePagesInOrderAndItsMenu)
{
    platform::win32::InstallWin32Platform();
    auto form = platform::Widgets().CreateForm("TMainForm");
    auto& main = static_cast<Win32Form&>(*form);
    auto& pages = main.PageControl("pcMain");
    ASSERT_EQ(pages.PageCount(), 3);
    const char* captions[] = {"Launch!", "Add items to Launch!", "Running Programs"};
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(TabCaption(pages.Handle(), page), captions[page]);
    std::vector<int> shown;
    pages.OnPageShow = [&](int page) { shown.push_back(page); };
    pages.SetActivePage(2);
    pages.SetActivePage(2);
    EXPECT_EQ(shown, std::vector<int>{2});
    EXPECT_TRUE(IsWindowVisible(GetParent(main.Frame("frmSearchRunningUI1").Handle())) || !main.Visible());
    main.Edit("edClipboard").SetText("C:\\x");
    EXPECT_EQ(main.Edit("edClipboard").Text(), "C:\\x");
    char caption[64] = {};
    GetWindowTextA(main.Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Morrowfield -- ZEPHYRIX");
    RECT frame{};
    GetWindowRect(main.Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, 696);
    EXPECT_EQ(frame.bottom - frame.top, 470);
    EXPECT_NO_THROW(main.MenuItem("Exit1"));
    EXPECT_NO_THROW(main.MenuItem("About1"));
    form.reset();
    platform::Install(nullptr);
}

} // namespace
