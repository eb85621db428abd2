// The program's texts are UTF-8 through its manifest. These tests run with the same
// manifest, so they see what the program sees: names in any language, whole.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "Win32Test.h"
#include "platform/Platform.h"
#include "platform/win32/DroppedFiles.h"

namespace {

// "Café Ünïcödé 日本" and a Greek word, as the program holds them and as the system does.
const std::string CafeUtf8 = "Caf\xC3\xA9 \xC3\x9Cn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";
const std::wstring CafeWide = L"Caf\u00E9 \u00DCn\u00EFc\u00F6d\u00E9 \u65E5\u672C";
const std::string GreekUtf8 = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::wstring GreekWide = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

bool WideFileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CodePageContract : public Win32Test {};

TEST_F(CodePageContract, ProcessRunsWithTheUtf8CodePage)
{
    EXPECT_EQ(GetACP(), 65001u) << "the manifest's activeCodePage was not applied";
}

TEST_F(CodePageContract, FileMadeFromUtf8BytesHasItsUnicodeName)
{
    const std::string path = Scratch(CafeUtf8 + ".txt");
    WriteFile(path, "x");
    EXPECT_TRUE(WideFileExists(Wide(ScratchFolder()) + L"\\" + CafeWide + L".txt"));
    EXPECT_TRUE(platform::FileSystem().FileExists(path));
}

TEST_F(CodePageContract, FolderListingGivesUnicodeNamesAndNeverACutOne)
{
    // 150 Japanese characters: a legal name of 450 bytes, more than the listing's
    // MAX_PATH bytes can hold.
    std::string longName;
    for (int i = 0; i < 150; ++i)
        longName += "\xE6\x97\xA5";
    WriteFile(Scratch(longName + ".lnk"), "long");
    WriteFile(Scratch(CafeUtf8 + ".lnk"), "short");

    const auto entries = platform::Directories().Enumerate(Scratch("*.lnk"));
    bool listedCafe = false;
    for (const auto& entry : entries) {
        EXPECT_LT(entry.Name.size(), static_cast<std::size_t>(MAX_PATH));
        EXPECT_TRUE(platform::FileSystem().FileExists(Scratch(entry.Name))) << "listed name names no file: " << entry.Name;
        listedCafe = listedCafe || entry.Name == CafeUtf8 + ".lnk";
    }
    EXPECT_TRUE(listedCafe);
}

TEST_F(CodePageContract, ShortcutWithUnicodeNameAndLongUnicodeTargetIsWrittenAndReadWhole)
{
    // 120 Japanese characters: under MAX_PATH as the system counts, 360 bytes in UTF-8.
    std::string longName;
    for (int i = 0; i < 120; ++i)
        longName += "\xE6\x97\xA5";
    const std::string target = Scratch(longName + ".txt");
    WriteFile(target, "target");
    const std::string link = Scratch(CafeUtf8 + ".lnk");
    platform::ShellLinkDefinition definition;
    definition.Target = {target, GreekUtf8, ScratchFolder()};
    definition.Description = CafeUtf8;
    ASSERT_EQ(platform::ShellLinks().WriteLink(link, definition), platform::LinkWriteResult::Written);
    EXPECT_TRUE(WideFileExists(Wide(ScratchFolder()) + L"\\" + CafeWide + L".lnk"));

    const auto read = platform::ShellLinks().LoadAndResolve(link);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Path, target);
    EXPECT_EQ(read->Arguments, GreekUtf8);
    EXPECT_EQ(read->WorkingDirectory, ScratchFolder());
}

TEST_F(CodePageContract, ShortcutNameWithAZeroByteIsRefusedNotCut)
{
    const std::string target = Scratch("target.txt");
    WriteFile(target, "t");
    platform::ShellLinkDefinition definition;
    definition.Target.Path = target;
    const std::string link = Scratch("first") + std::string(1, '\0') + "second.lnk";
    EXPECT_EQ(platform::ShellLinks().WriteLink(link, definition), platform::LinkWriteResult::NotSaved);
    EXPECT_FALSE(platform::FileSystem().FileExists(Scratch("first")));
}

TEST_F(CodePageContract, ClipboardUnicodeTextArrivesInUtf8)
{
    const std::wstring text = GreekWide + L" " + CafeWide;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();

    EXPECT_EQ(platform::Clipboard().Text(), GreekUtf8 + " " + CafeUtf8);
}

TEST_F(CodePageContract, DroppedFileWithUnicodeNameArrivesInUtf8)
{
    // A long name too: 150 Greek letters are 300 bytes, past MAX_PATH bytes, but only
    // 150 of the system's characters.
    std::wstring longWide = L"C:\\";
    std::string longUtf8 = "C:\\";
    for (int i = 0; i < 150; ++i) {
        longWide += GreekWide.substr(0, 1);
        longUtf8 += GreekUtf8.substr(0, 2);
    }
    longWide += L"\\" + CafeWide;
    longUtf8 += "\\" + CafeUtf8;
    const std::wstring names[] = {L"C:\\" + CafeWide + L".txt", longWide};
    std::wstring list;
    for (const std::wstring& name : names)
        list += name + L'\0';
    list += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);

    const std::vector<std::string> expected = {"C:\\" + CafeUtf8 + ".txt", longUtf8};
    EXPECT_EQ(platform::win32::TakeDroppedFiles(static_cast<HDROP>(memory)), expected);
}

TEST_F(CodePageContract, LocaleComparisonReadsUtf8Letters)
{
    auto& locale = platform::Locale();
    // An accented letter in two cases is one letter: read as Western bytes it would not be.
    EXPECT_EQ(locale.CompareText("caf\xC3\xA9", "CAF\xC3\x89"), 0);
    EXPECT_EQ(locale.CompareText(GreekUtf8, "\xCE\x95\xCE\x9B\xCE\x9B\xCE\x97\xCE\x9D\xCE\x99\xCE\x9A\xCE\x86"), 0);
    EXPECT_LT(locale.CompareText("\xC3\x89mile", "Eve"), 0);
    EXPECT_LT(locale.CompareText("zebra", GreekUtf8), 0) << "Latin before Greek";
    // Garbled bytes still give a consistent order, never a failure.
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    EXPECT_EQ(sign(locale.CompareText("a\xFF\xFE", "b")), -sign(locale.CompareText("b", "a\xFF\xFE")));
    EXPECT_LT(locale.CompareText("a\xFF\xFE", "b"), 0);
}

} // namespace
