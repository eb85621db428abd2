// The icon lookups against the real shell: the system image list's indexes for shortcuts,
// internet shortcuts and module icons, a window's own icon, the generic one where there is
// none; unchanged files answered without a lookup; drawing at the list's sizes.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <memory>

#include "ShellLinkWriter.h"
#include "Win32Test.h"
#include "forms/FormDescription.h"
#include "platform/win32/Icons.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::GenericIcon;
using platform::IconAnswer;
using platform::IconId;
using platform::IconSource;
using Kind = IconSource::Kind;

class IconsTest : public Win32Test {
protected:
    IconsTest()
    {
        lookups = icons.StartLookups([this](const IconAnswer& answer) { answers[answer.Slot] = answer; });
    }
    void Ask(std::uint32_t slot, IconSource source, std::uint64_t knownStamp = 0)
    {
        lookups->Ask({slot, 7, std::move(source), knownStamp});
    }
    bool WaitForAnswers(std::size_t count)
    {
        return platform::win32::PumpMessagesUntil([&] { return answers.size() >= count; }, 20000);
    }
    static std::string Windows(const std::string& name)
    {
        char folder[MAX_PATH] = {};
        GetWindowsDirectoryA(folder, MAX_PATH);
        return std::string(folder) + "\\" + name;
    }
    static std::string System(const std::string& name)
    {
        char folder[MAX_PATH] = {};
        GetSystemDirectoryA(folder, MAX_PATH);
        return std::string(folder) + "\\" + name;
    }
    // What the shell itself gives for an icon location (its ordinal 72, Shell_GetCachedImageIndexW).
    static IconId IndexOf(const std::string& file, int index)
    {
        using Function = int(WINAPI*)(LPCWSTR, int, UINT);
        const auto function = reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("shell32.dll"), MAKEINTRESOURCEA(72))));
        return function(std::wstring(file.begin(), file.end()).c_str(), index, 0);
    }

    platform::win32::Icons icons;
    std::unique_ptr<platform::IIconLookups> lookups;
    std::map<std::uint32_t, IconAnswer> answers;
};

TEST_F(IconsTest, EachKindOfSourceGetsTheIconTheShellShowsForIt)
{
    const std::string notepad = System("notepad.exe");
    const std::string link = Scratch("Editor.lnk");
    // As an installer writes it, naming its program's icon.
    ASSERT_TRUE(WriteShellLink(link, notepad, "", ScratchFolder(), SW_SHOWNORMAL, notepad));
    const std::string named = Scratch("Named.url");
    WriteFile(named, "[InternetShortcut]\r\nURL=http://example.com/\r\nIconFile=" + Windows("regedit.exe") +
                         "\r\nIconIndex=0\r\n");
    TestWindow plain("Plain window", WS_OVERLAPPEDWINDOW);
    TestWindow withIcon("Window with an icon", WS_OVERLAPPEDWINDOW);
    SendMessageA(withIcon.Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_WARNING)));

    Ask(1, {Kind::File, link});
    Ask(2, {Kind::File, named});
    Ask(3, {Kind::ModuleIcon, System("shell32.dll"), 4});
    Ask(4, {Kind::File, Scratch("missing\\Gone.lnk")});
    Ask(5, {Kind::Window, "", 0, withIcon.Handle()});
    Ask(6, {Kind::Window, "", 0, plain.Handle()});
    Ask(7, {Kind::File, notepad});
    ASSERT_TRUE(WaitForAnswers(7));

    for (const auto& [slot, answer] : answers) {
        EXPECT_EQ(answer.Epoch, 7u) << slot;
        ASSERT_TRUE(answer.Icon.has_value()) << slot;
    }
    EXPECT_EQ(*answers[1].Icon, IndexOf(notepad, 0)) << "the icon it names, without the arrow";
    EXPECT_NE(answers[1].Stamp, 0u);
    EXPECT_EQ(*answers[2].Icon, IndexOf(Windows("regedit.exe"), 0)) << "the icon the internet shortcut names";
    EXPECT_EQ(*answers[3].Icon, IndexOf(System("shell32.dll"), -4));
    EXPECT_GE(*answers[3].Icon, 0);
    EXPECT_EQ(answers[4].Stamp, 0u);
    EXPECT_LT(*answers[5].Icon, GenericIcon) << "a copy of the window's own icon";
    EXPECT_EQ(*answers[6].Icon, GenericIcon) << "no icon of its own nor of its class";
    // Wine's SHGetFileInfo gives a program file the unknown file's index (0) where Windows gives
    // its own icon; a shortcut that names its icon (above) gets it on both.
    EXPECT_GE(*answers[7].Icon, 0) << "an index of the system image list";

    // Asked again with the state it was found in: unchanged, so not looked up again.
    const std::uint64_t stamp = answers[1].Stamp;
    answers.clear();
    Ask(1, {Kind::File, link}, stamp);
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_FALSE(answers[1].Icon.has_value());
}

TEST_F(IconsTest, TheNewestBatchIsAnsweredFirstAndAbandonedLookupsAnswerNothing)
{
    std::vector<std::uint32_t> order;
    lookups = icons.StartLookups([&](const IconAnswer& answer) { order.push_back(answer.Slot); });
    for (std::uint32_t slot = 1; slot <= 3; ++slot)
        Ask(slot, {Kind::File, System("notepad.exe")});
    platform::win32::PumpMessagesUntil([&] { return !order.empty(); }, 20000);
    for (std::uint32_t slot = 11; slot <= 13; ++slot)
        Ask(slot, {Kind::File, System("regedit.exe")});
    ASSERT_TRUE(platform::win32::PumpMessagesUntil([&] { return order.size() >= 6; }, 20000));
    EXPECT_EQ(order.size(), 6u);

    // Abandoned with questions waiting (one perhaps on a path that never answers): the
    // destruction returns at once and nothing reaches the asker afterwards.
    bool answeredLate = false;
    auto abandoned = icons.StartLookups([&](const IconAnswer&) { answeredLate = true; });
    for (std::uint32_t slot = 1; slot <= 20; ++slot)
        abandoned->Ask({slot, 1, {Kind::File, "\\\\nowhere.invalid\\share\\Slow.lnk"}, 0});
    abandoned.reset();
    order.clear();
    Ask(1, {Kind::File, System("notepad.exe")});
    ASSERT_TRUE(platform::win32::PumpMessagesUntil([&] { return !order.empty(); }, 20000));
    EXPECT_FALSE(answeredLate);
}

TEST_F(IconsTest, IconsAreDrawnAtTheListsSizeForEachScale)
{
    Ask(1, {Kind::File, System("notepad.exe")});
    ASSERT_TRUE(WaitForAnswers(1));
    for (const int dpi : {96, 144, 192}) {
        const int size = forms::ListIconSizeAt(dpi);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size + 8, size + 8);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, size + 8, size + 8};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        platform::win32::DrawListIcon(dc, 4, 4, size, *answers[1].Icon);
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < size + 8; ++y)
            for (int x = 0; x < size + 8; ++x) {
                const bool drawn = GetPixel(dc, x, y) != RGB(255, 255, 255);
                const bool within = x >= 4 && x < 4 + size && y >= 4 && y < 4 + size;
                (within ? inside : outside) += drawn ? 1 : 0;
            }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        EXPECT_GT(inside, size * size / 8) << "the icon is drawn at " << dpi;
        EXPECT_EQ(outside, 0) << "and within its " << size << " pixels at " << dpi;
    }
}

} // namespace
