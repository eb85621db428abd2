#include <windows.h>

#include "Win32Test.h"
#include "config/placement.h"
#include "platform/Platform.h"
#include "platform/win32/WindowPlacement.h"

namespace {

const char* const FormSettings = "Software\\Morrowfield\\Zephyrix\\FormSettings";

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// A real resizable top-level window, shown, 696 x 470 at 100,80.
class PlacementContract : public Win32Test {
protected:
    PlacementContract()
        : section("ZxPlacementTest" + std::to_string(GetCurrentProcessId())), placed(MakeWindow(), true, true),
          keeper(placed, section)
    {
    }
    ~PlacementContract() override
    {
        DestroyWindow(window);
        HKEY settings = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, FormSettings, 0, KEY_ALL_ACCESS, &settings) == ERROR_SUCCESS) {
            RegDeleteTreeA(settings, section.c_str());
            RegCloseKey(settings);
        }
    }

    HWND MakeWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZxPlacedWindow";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "ZxPlacedWindow", "placed", WS_OVERLAPPEDWINDOW, 100, 80, 696, 470, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        return window;
    }

    // The stored value as REG_SZ; "<type N>" for any other type, "<missing>" when absent.
    std::string Stored(const std::string& name) const
    {
        char text[256] = {};
        DWORD size = sizeof(text);
        DWORD type = 0;
        const std::string key = std::string(FormSettings) + "\\" + section;
        if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS)
            return "<missing>";
        return type == REG_SZ ? std::string(text) : "<type " + std::to_string(type) + ">";
    }
    void Store(const std::string& name, const std::string& text) const
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(FormSettings) + "\\" + section).c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }

    static std::string Suffix()
    {
        std::string suffix = "(";
        suffix += std::to_string(GetSystemMetrics(SM_CXSCREEN));
        suffix += "x";
        suffix += std::to_string(GetSystemMetrics(SM_CYSCREEN));
        return suffix + ")";
    }
    static int PixelsPerInch()
    {
        HDC screen = GetDC(nullptr);
        const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return ppi;
    }
    RECT NormalRect() const
    {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        return placement.rcNormalPosition;
    }

    HWND window = nullptr;
    const std::string section;
    platform::win32::PlacedWindow placed;
    TFormPlacement keeper;
};

TEST_F(PlacementContract, SaveWritesTheWindowsOwnPlacementAsStrings)
{
    keeper.RestorePlacement();
    SetWindowPos(window, nullptr, 40, 30, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    keeper.SavePlacement();

    const RECT normal = NormalRect();
    const std::string norm = std::to_string(normal.left) + "," + std::to_string(normal.top) + "," +
                             std::to_string(normal.right) + "," + std::to_string(normal.bottom);
    EXPECT_EQ(norm, "40,30,640,430");
    EXPECT_EQ(Stored("NormPos" + Suffix()), norm);
    EXPECT_EQ(Stored("NormPos"), norm);
    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("ShowCmd"), "1");
    EXPECT_EQ(Stored("PixelsPerInch"), std::to_string(PixelsPerInch()));
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_NE(Stored("Flags"), "<missing>");
    // Whatever the window reports for its minimized and maximized positions is what is stored.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    const std::string minMax = std::to_string(placement.ptMinPosition.x) + "," + std::to_string(placement.ptMinPosition.y) +
                               "," + std::to_string(placement.ptMaxPosition.x) + "," +
                               std::to_string(placement.ptMaxPosition.y);
    EXPECT_EQ(Stored("MinMaxPos"), minMax);
    EXPECT_EQ(Stored("MinMaxPos" + Suffix()), minMax);
}

TEST_F(PlacementContract, RestoreMovesTheRealWindow)
{
    Store("FormVersion", "0");
    Store("PixelsPerInch", std::to_string(PixelsPerInch()));
    Store("NormPos", "50,60,550,460");
    Store("ShowCmd", "1");
    keeper.RestorePlacement();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 50);
    EXPECT_EQ(bounds.top, 60);
    EXPECT_EQ(bounds.right, 550);
    EXPECT_EQ(bounds.bottom, 460);
    EXPECT_FALSE(placed.CentredOnShow());
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(PlacementContract, StoredShowCmd3MaximizesAndAnotherPixelsPerInchKeepsThePosition)
{
    Store("PixelsPerInch", std::to_string(PixelsPerInch() + 48));
    Store("NormPos", "50,60,550,460");
    Store("ShowCmd", "3");
    keeper.RestorePlacement();
    EXPECT_TRUE(IsZoomed(window));
    ShowWindow(window, SW_RESTORE);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // Saved at a larger scale: the corner stays, the size shrinks to what it was there.
    EXPECT_EQ(bounds.left, 50);
    EXPECT_EQ(bounds.top, 60);
    EXPECT_LT(bounds.right - bounds.left, 500);
    EXPECT_LT(bounds.bottom - bounds.top, 400);
}

// Stored on a monitor that is gone (or mostly off the screen, or with its caption
// above it): the window comes back whole on the work area.
TEST_F(PlacementContract, WindowLeftOffTheScreenComesBackWholeOnTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    Store("FormVersion", "0");
    Store("PixelsPerInch", std::to_string(PixelsPerInch()));
    Store("ShowCmd", "1");
    const int right = work.right;
    const int bottom = work.bottom;
    for (const std::string& stored :
         {std::string("-600,-400,96,70"), std::to_string(right + 500) + ",100," + std::to_string(right + 1196) + ",570",
          std::string("100,-200,796,270"), "100," + std::to_string(bottom - 50) + ",796," + std::to_string(bottom + 420)}) {
        Store("NormPos", stored);
        Store("NormPos" + Suffix(), stored);
        keeper.RestorePlacement();
        RECT bounds{};
        GetWindowRect(window, &bounds);
        EXPECT_GE(bounds.left, work.left) << stored;
        EXPECT_GE(bounds.top, work.top) << stored;
        EXPECT_LE(bounds.right, work.right) << stored;
        EXPECT_LE(bounds.bottom, work.bottom) << stored;
        EXPECT_EQ(bounds.right - bounds.left, 696) << stored << ": the size is kept";
    }
}

TEST_F(PlacementContract, HiddenWindowStaysHiddenWhileItsPlacementIsApplied)
{
    ShowWindow(window, SW_HIDE);
    Store("NormPos", "70,90,570,490");
    keeper.RestorePlacement();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(NormalRect().left, 70);
}

// The main window's own section, under the exact names a previous run leaves.
TEST_F(PlacementContract, MainFormSectionHoldsAllNineValues)
{
    HKEY settings = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FormSettings, 0, KEY_ALL_ACCESS, &settings) == ERROR_SUCCESS) {
        RegDeleteTreeA(settings, "TMainForm");
        RegCloseKey(settings);
    }
    TFormPlacement mainKeeper(placed);
    mainKeeper.RestorePlacement();
    mainKeeper.Destroying = true;
    mainKeeper.SavePlacement();

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Morrowfield\\Zephyrix\\FormSettings\\TMainForm", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    EXPECT_EQ(count, 9u);
    for (const std::string name : {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "Visible", "MinMaxPos", "NormPos"}) {
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr), ERROR_SUCCESS) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    }
    for (const std::string name : {"MinMaxPos", "NormPos"})
        EXPECT_EQ(RegQueryValueExA(key, (name + Suffix()).c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    RegOpenKeyExA(HKEY_CURRENT_USER, FormSettings, 0, KEY_ALL_ACCESS, &settings);
    RegDeleteTreeA(settings, "TMainForm");
    RegCloseKey(settings);
}

} // namespace
