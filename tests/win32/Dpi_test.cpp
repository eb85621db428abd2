#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "forms/FormDescription.h"
#include "platform/Platform.h"
#include "platform/win32/Forms.h"
#include "platform/win32/ProgramIcon.h"
#include "res/resource.h"

// The forms at the scale of the Wine prefix they run in: 96 pixels per inch in the
// usual one, 144 and 192 in the prefixes of the win32_dpi_* tests (ZX_EXPECTED_DPI).
namespace {

using platform::win32::Win32Form;

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    std::string shown;
    for (const char* c = text; *c != '\0'; ++c)
        if (*c != '&' || c[1] == '&')
            shown += *c; // an ampersand marks the next letter's underline
    return shown;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The size the text takes in the control's own font: one line, or wrapped in width.
SIZE TextExtent(HWND control, const std::string& text, int width = 0)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    if (width > 0) {
        RECT box{0, 0, width, 0};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK);
        size = {box.right, box.bottom};
    } else {
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

class DpiTest : public Win32Test {
protected:
    DpiTest()
    {
        HDC screen = GetDC(nullptr);
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }

    // Every control with a caption shows all of it, and lies inside its dialog.
    static void ExpectNothingCut(HWND dialog)
    {
        RECT area{};
        GetClientRect(dialog, &area);
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::string kind = ClassOf(child);
            if (kind == "#32770") {
                ExpectNothingCut(child); // a page or a frame
                continue;
            }
            RECT rect{};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            const std::string text = TextOf(child);
            const std::string where = ClassOf(dialog) + " control " + std::to_string(GetDlgCtrlID(child)) + " \"" +
                                      text + "\"";
            EXPECT_GE(rect.left, 0) << where;
            EXPECT_GE(rect.top, 0) << where;
            EXPECT_LE(rect.right, area.right) << where;
            EXPECT_LE(rect.bottom, area.bottom) << where;
            if (text.empty() || (kind != "Button" && kind != "Static"))
                continue;
            const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
            const int width = rect.right - rect.left;
            const int height = rect.bottom - rect.top;
            const DWORD type = style & BS_TYPEMASK;
            if (kind == "Static") {
                const SIZE wrapped = TextExtent(child, text, width);
                EXPECT_LE(wrapped.cy, height) << where << ": its lines do not fit (one line is "
                                              << TextExtent(child, text).cx << " wide, the label " << width << ")";
                continue;
            }
            const SIZE line = TextExtent(child, text);
            EXPECT_LE(line.cy, height) << where;
            if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
                // The box itself and the gap before the text take about a line's height.
                EXPECT_LE(line.cx + line.cy + 4, width) << where << ": the caption is cut";
            } else {
                EXPECT_LE(line.cx + 8, width) << where << ": the caption is cut";
            }
        }
    }

    static void ExpectTabsFit(HWND tabs)
    {
        RECT client{};
        GetClientRect(tabs, &client);
        const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        ASSERT_GT(count, 0);
        RECT last{};
        SendMessageA(tabs, TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
        EXPECT_LE(last.right, client.right) << "every tab in one row";
        const LRESULT rows = SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0);
        EXPECT_EQ(rows, 1);
    }

    static void ExpectCaptionFits(HWND window)
    {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
        HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, font);
        const std::string caption = TextOf(window);
        SIZE size{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        DeleteObject(font);
        RECT frame{};
        GetWindowRect(window, &frame);
        // The icon, and up to three caption buttons.
        EXPECT_LE(size.cx + 4 * metrics.iCaptionWidth, frame.right - frame.left) << caption;
    }

    int dpi = 96;
};

TEST_F(DpiTest, FormsTakeTheScreensScaleAndCutNoCaptionOrControl)
{
    if (const char* expected = std::getenv("ZX_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the Wine prefix is not at the scale the test is for";
    }

    auto mainOwned = platform::Widgets().CreateForm("TMainForm");
    auto& main = static_cast<Win32Form&>(*mainOwned);
    EXPECT_EQ(main.Dpi(), dpi);
    RECT frame{};
    GetWindowRect(main.Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, forms::Scaled(696, dpi));
    EXPECT_EQ(frame.bottom - frame.top, forms::Scaled(470, dpi));
    HWND list = main.Frame("frmSearchUI1").ListBox("lbSearch").Handle();
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), forms::ListRowHeightAt(dpi));
    EXPECT_GE(forms::ListRowHeightAt(dpi), TextExtent(list, "Xg").cy) << "a row holds a line of the list's font";
    ExpectCaptionFits(main.Handle());
    ExpectTabsFit(main.PageControl("pcMain").Handle());
    ExpectNothingCut(main.Handle());

    auto configOwned = platform::Widgets().CreateForm("TfrmConfig");
    auto& config = static_cast<Win32Form&>(*configOwned);
    RECT client{};
    GetClientRect(config.Handle(), &client);
    EXPECT_EQ(client.right, forms::Scaled(473, dpi));
    EXPECT_EQ(client.bottom, forms::Scaled(526, dpi));
    ExpectCaptionFits(config.Handle());
    ExpectTabsFit(config.PageControl("PageControl1").Handle());
    ExpectNothingCut(config.Handle());

    auto selectorOwned = platform::Widgets().CreateForm("TfrmSelector");
    auto& selector = static_cast<Win32Form&>(*selectorOwned);
    GetClientRect(selector.Handle(), &client);
    EXPECT_EQ(client.right, forms::Scaled(587, dpi));
    EXPECT_EQ(client.bottom, forms::Scaled(338, dpi));
    ExpectNothingCut(selector.Handle());

    // The about box keeps its template, in dialog units: the font's scale sizes it.
    auto aboutOwned = platform::Widgets().CreateForm("TfrmAbout");
    ExpectCaptionFits(static_cast<Win32Form&>(*aboutOwned).Handle());
    ExpectNothingCut(static_cast<Win32Form&>(*aboutOwned).Handle());
}

// What Windows sends when the user drags the window onto a monitor of another scale.
TEST_F(DpiTest, MovingToAMonitorOfAnotherScaleTakesTheSuggestedRectangleAndScalesFontsAndLayout)
{
    auto owned = platform::Widgets().CreateForm("TfrmConfig");
    auto& form = static_cast<Win32Form&>(*owned);
    HWND box = form.CheckBox("cbKeyWin").Handle();
    const auto fontHeight = [](HWND control) {
        LOGFONTA face{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(face), &face);
        return std::abs(face.lfHeight);
    };
    const auto width = [](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        return static_cast<int>(rect.right - rect.left);
    };
    const int height = fontHeight(box);
    const int newDpi = dpi * 2;
    RECT suggested{};
    GetWindowRect(form.Handle(), &suggested);
    suggested.right = suggested.left + 2 * (suggested.right - suggested.left);
    suggested.bottom = suggested.top + 2 * (suggested.bottom - suggested.top);
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(form.Dpi(), newDpi);
    RECT now{};
    GetWindowRect(form.Handle(), &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    EXPECT_EQ(width(box), forms::Scaled(150, newDpi));
    EXPECT_NEAR(fontHeight(box), 2 * height, 1);
    HWND title = GetDlgItem(GetParent(box), IDC_KEYTITLE);
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(title, WM_GETFONT, 0, 0)), sizeof(face), &face);
    EXPECT_GE(face.lfWeight, FW_BOLD) << "the titles stay bold";
    EXPECT_NEAR(std::abs(face.lfHeight), 2 * height, 1);
    ExpectNothingCut(form.Handle());

    // And back.
    GetWindowRect(form.Handle(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) / 2;
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(width(box), forms::Scaled(150, dpi));
    EXPECT_EQ(fontHeight(box), height);
}

// The about box keeps its template's places: a new scale is the dialog manager's to
// apply (fonts and places together), never a bigger font in the old places.
TEST_F(DpiTest, AFormThatKeepsItsTemplateIsNotRescaledByHalves)
{
    auto owned = platform::Widgets().CreateForm("TfrmAbout");
    auto& about = static_cast<Win32Form&>(*owned);
    RECT suggested{};
    GetWindowRect(about.Handle(), &suggested);
    suggested.right = suggested.left + 2 * (suggested.right - suggested.left);
    suggested.bottom = suggested.top + 2 * (suggested.bottom - suggested.top);
    SendMessageA(about.Handle(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    ExpectNothingCut(about.Handle());
}

// The caption's and taskbar's icons are drawn for the monitor's scale, and again for a new one.
TEST_F(DpiTest, TheMainWindowsIconsFollowTheScale)
{
    const auto width = [](HWND window, WPARAM which) {
        ICONINFO info{};
        const auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
        if (icon == nullptr || !GetIconInfo(icon, &info))
            return 0;
        BITMAP bitmap{};
        GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return static_cast<int>(bitmap.bmWidth);
    };
    auto owned = platform::Widgets().CreateForm("TMainForm");
    auto& form = static_cast<Win32Form&>(*owned);
    const int startDpi = form.Dpi();
    EXPECT_EQ(width(form.Handle(), ICON_SMALL), platform::win32::IconSizeAt(SM_CXSMICON, startDpi));
    EXPECT_EQ(width(form.Handle(), ICON_BIG), platform::win32::IconSizeAt(SM_CXICON, startDpi));
    for (const int newDpi : {2 * startDpi, startDpi}) {
        RECT rect{};
        GetWindowRect(form.Handle(), &rect);
        SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(width(form.Handle(), ICON_SMALL), platform::win32::IconSizeAt(SM_CXSMICON, newDpi)) << newDpi;
        EXPECT_EQ(width(form.Handle(), ICON_BIG), platform::win32::IconSizeAt(SM_CXICON, newDpi)) << newDpi;
    }
    EXPECT_NE(platform::win32::IconSizeAt(SM_CXSMICON, 2 * startDpi),
              platform::win32::IconSizeAt(SM_CXSMICON, startDpi));
}

// Wine gives every monitor the one scale of the prefix (96, 144 or 192 in these runs).
TEST_F(DpiTest, TheMonitorsScaleIsTheOneTheWindowsAreDrawnAt)
{
    const platform::PlacementRect somewhere{10, 10, 200, 100};
    EXPECT_EQ(platform::Screen().PixelsPerInchNearest(somewhere), platform::Screen().PixelsPerInch());
    EXPECT_EQ(platform::Screen().PixelsPerInchNearest({-5000, -5000, -4000, -4000}),
              platform::Screen().PixelsPerInch());
}

TEST_F(DpiTest, ListRowsFollowTheScale)
{
    auto owned = platform::Widgets().CreateForm("TMainForm");
    auto& form = static_cast<Win32Form&>(*owned);
    HWND list = form.Frame("frmSearchUI1").ListBox("lbSearch").Handle();
    RECT rect{};
    GetWindowRect(form.Handle(), &rect);
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), forms::ListRowHeightAt(192));
}

} // namespace
