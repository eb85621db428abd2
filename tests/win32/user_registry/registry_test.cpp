#include <windows.h>

#include "Win32Test.h"
#include "catalogue/uProgramInfo.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"

namespace {

class RegistryContract : public Win32Test {
protected:
    RegistryContract() : keyPath("\\Software\\Morrowfield\\ZephyrixTests\\" + std::to_string(GetCurrentProcessId())) {}
    ~RegistryContract() override { RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.substr(1).c_str()); }

    void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.substr(1).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    const std::string keyPath;
};

TEST_F(RegistryContract, IntegersAndStringsRoundTrip)
{
    {
        auto key = platform::Registry().OpenOrCreateKey(keyPath);
        key->WriteInteger("Number", 0xFFFFFFFFu);
        key->WriteInteger("Zero", 0);
        key->WriteString("Text", "C:\\Program Files\\Tool.lnk");
        key->WriteString("Empty", "");
    }
    auto key = platform::Registry().OpenKeyReadOnly(keyPath);
    EXPECT_EQ(key->ReadInteger("Number"), 0xFFFFFFFFu);
    EXPECT_EQ(key->ReadInteger("Zero"), 0u);
    EXPECT_EQ(key->ReadString("Text"), "C:\\Program Files\\Tool.lnk");
    EXPECT_EQ(key->ReadString("Empty"), "");
    EXPECT_TRUE(key->ValueExists("Text"));
    EXPECT_FALSE(key->ValueExists("Nothing"));

    DWORD type = 0;
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.substr(1).c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    RegQueryValueExA(raw, "Number", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    RegQueryValueExA(raw, "Text", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(raw);
}

TEST_F(RegistryContract, ExpandableStringsAreReadUnexpanded)
{
    const char text[] = "%SystemRoot%\\notepad.exe";
    SetRaw("Expand", REG_EXPAND_SZ, text, sizeof(text));
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(keyPath)->ReadString("Expand"), text);
}

TEST_F(RegistryContract, UnterminatedStringIsReadWhole)
{
    const char text[] = {'a', 'b', 'c'};
    SetRaw("Raw", REG_SZ, text, sizeof(text));
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(keyPath)->ReadString("Raw"), "abc");
}

TEST_F(RegistryContract, WrongTypesAndMissingValuesAreTyped)
{
    const char text[] = "12";
    const BYTE blob[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const unsigned long long wide = 5;
    SetRaw("String", REG_SZ, text, sizeof(text));
    SetRaw("Blob", REG_BINARY, blob, sizeof(blob));
    SetRaw("Qword", REG_QWORD, &wide, sizeof(wide));
    auto key = platform::Registry().OpenKeyReadOnly(keyPath);

    EXPECT_THROW(key->ReadInteger("String"), platform::ERegistryWrongType);
    EXPECT_THROW(key->ReadInteger("Blob"), platform::ERegistryWrongType);
    EXPECT_THROW(key->ReadInteger("Qword"), platform::ERegistryWrongType);
    EXPECT_THROW(key->ReadString("Blob"), platform::ERegistryWrongType);
    EXPECT_THROW(key->ReadInteger("Missing"), platform::ERegistryValueMissing);
    EXPECT_THROW(key->ReadString("Missing"), platform::ERegistryValueMissing);
}

TEST_F(RegistryContract, MissingKeyCannotBeOpenedForReading)
{
    EXPECT_THROW(platform::Registry().OpenKeyReadOnly(keyPath + "\\Nowhere"), platform::ERegistryKeyNotOpenable);
    try {
        platform::Registry().OpenKeyReadOnly(keyPath + "\\Nowhere");
    } catch (const platform::ERegistryKeyNotOpenable& error) {
        EXPECT_STRNE(error.what(), "") << "the system's message is carried";
    }
}

TEST_F(RegistryContract, WritingToAReadOnlyKeyFailsWithTheSystemMessage)
{
    platform::Registry().OpenOrCreateKey(keyPath);
    auto key = platform::Registry().OpenKeyReadOnly(keyPath);
    EXPECT_THROW(key->WriteString("Denied", "x"), platform::ERegistry);
}

TEST_F(RegistryContract, ValueCountCountsTheValuesOfEveryNameAndType)
{
    EXPECT_EQ(platform::Registry().OpenOrCreateKey(keyPath)->ValueCount(), 0u);
    const BYTE blob[] = {1, 2};
    SetRaw("Blob", REG_BINARY, blob, sizeof(blob));
    auto key = platform::Registry().OpenOrCreateKey(keyPath);
    key->WriteInteger("Count", 7);
    key->WriteString("Path3", "C:\\A.lnk");
    EXPECT_EQ(key->ValueCount(), 3u);
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(keyPath)->ValueCount(), 3u);
}

// The real registry with a pair deleted by hand and a damaged, huge "Count": the pairs
// after the gap are loaded, and loading ends.
TEST_F(RegistryContract, AbbreviationsAfterAGapLoadAlsoWithAHugeCount)
{
    const std::string abbreviations = std::string(AbbreviationsKey).substr(1);
    RegDeleteTreeA(HKEY_CURRENT_USER, abbreviations.c_str());
    {
        auto key = platform::Registry().OpenOrCreateKey(AbbreviationsKey);
        key->WriteString("Abbrev1", "b");
        key->WriteString("Path1", "C:\\Menu\\B.lnk");
        key->WriteString("Abbrev2", "c");
        key->WriteString("Path2", "C:\\Menu\\C.lnk");
        key->WriteInteger("Count", 0xFFFFFFFFu);
    }
    TAbbrevInfos loaded;
    loaded.LoadFromRegistry();
    EXPECT_EQ(loaded.Count(), 2u);
    TProgramInfo entry;
    entry.SetPath("C:\\Menu\\C.lnk");
    EXPECT_EQ(loaded.FindAbbrev(entry), "c");
    RegDeleteTreeA(HKEY_CURRENT_USER, abbreviations.c_str());
}

TEST_F(RegistryContract, AbbreviationsSurviveASaveAndALoad)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, std::string(AbbreviationsKey).substr(1).c_str());
    {
        TAbbrevInfos store;
        TProgramInfo entry;
        entry.SetPath("C:\\Menu\\Notepad.lnk");
        entry.Abbreviation = store.FindAbbrev(entry);
        entry.Abbreviation = "np";
        store.SetAbbrev(entry);
        store.SaveToRegistry();
    }
    TAbbrevInfos loaded;
    loaded.LoadFromRegistry();
    TProgramInfo entry;
    entry.SetPath("c:\\menu\\NOTEPAD.lnk");
    EXPECT_EQ(loaded.FindAbbrev(entry), "np");
    RegDeleteTreeA(HKEY_CURRENT_USER, std::string(AbbreviationsKey).substr(1).c_str());
}

} // namespace
