#pragma once
#include <gtest/gtest.h>

#include <string>

#include "BackendNames.h"
#include "catalogue/uProgramInfo.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"

// The registry's contract, run on the simulator natively and on the real registry and
// the simulator under Wine.
//
// A backend installs its platform when made and removes it when destroyed, and gives
// a scratch key of its own that it deletes at the end:
//   std::string KeyPath();                                 // "\Software\..."
//   void SetRaw(const char* name, RawType type, const std::string& bytes); // in the scratch key
//   RawType TypeOf(const char* name);                      // as the registry holds it
//   void DeleteTree(const std::string& path);              // a key and all below it
namespace contract {

// The value types a user or another program may leave behind. A text's bytes are
// stored as given: without a terminating zero if the bytes have none.
enum class RawType { Missing, Dword, Sz, ExpandSz, Binary, Qword };

template <class Backend>
class RegistryContract : public ::testing::Test {
protected:
    Backend registry;
    const std::string keyPath = registry.KeyPath();
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, IntegersAndStringsRoundTrip)
{
    {
        auto key = platform::Registry().OpenOrCreateKey(this->keyPath);
        key->WriteInteger("Number", 0xFFFFFFFFu);
        key->WriteInteger("Zero", 0);
        key->WriteString("Text", "C:\\Program Files\\Tool.lnk");
        key->WriteString("Empty", "");
    }
    auto key = platform::Registry().OpenKeyReadOnly(this->keyPath);
    EXPECT_EQ(key->ReadInteger("Number"), 0xFFFFFFFFu);
    EXPECT_EQ(key->ReadInteger("Zero"), 0u);
    EXPECT_EQ(key->ReadString("Text"), "C:\\Program Files\\Tool.lnk");
    EXPECT_EQ(key->ReadString("Empty"), "");
    EXPECT_TRUE(key->ValueExists("Text"));
    EXPECT_FALSE(key->ValueExists("Nothing"));
    EXPECT_EQ(this->registry.TypeOf("Number"), RawType::Dword);
    EXPECT_EQ(this->registry.TypeOf("Text"), RawType::Sz);
}

TYPED_TEST_P(RegistryContract, ExpandableStringsAreReadUnexpanded)
{
    const std::string text = "%SystemRoot%\\notepad.exe";
    this->registry.SetRaw("Expand", RawType::ExpandSz, text + '\0');
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(this->keyPath)->ReadString("Expand"), text);
}

TYPED_TEST_P(RegistryContract, UnterminatedStringIsReadWhole)
{
    this->registry.SetRaw("Raw", RawType::Sz, "abc");
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(this->keyPath)->ReadString("Raw"), "abc");
}

TYPED_TEST_P(RegistryContract, WrongTypesAndMissingValuesReadAsNone)
{
    this->registry.SetRaw("String", RawType::Sz, std::string("12", 3));
    this->registry.SetRaw("Blob", RawType::Binary, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    this->registry.SetRaw("Qword", RawType::Qword, std::string("\x05\0\0\0\0\0\0\0", 8));
    auto key = platform::Registry().OpenKeyReadOnly(this->keyPath);

    EXPECT_EQ(key->ReadInteger("String"), std::nullopt);
    EXPECT_EQ(key->ReadInteger("Blob"), std::nullopt);
    EXPECT_EQ(key->ReadInteger("Qword"), std::nullopt);
    EXPECT_EQ(key->ReadString("Blob"), std::nullopt);
    EXPECT_EQ(key->ReadInteger("Missing"), std::nullopt);
    EXPECT_EQ(key->ReadString("Missing"), std::nullopt);
    EXPECT_TRUE(key->ValueExists("Blob")) << "a value of another type is still there";
}

TYPED_TEST_P(RegistryContract, MissingKeyCannotBeOpenedForReading)
{
    platform::Registry().OpenOrCreateKey(this->keyPath);
    EXPECT_EQ(platform::Registry().OpenExistingKey(this->keyPath + "\\Nowhere"), nullptr);
    EXPECT_NE(platform::Registry().OpenExistingKey(this->keyPath), nullptr);
    EXPECT_THROW(platform::Registry().OpenKeyReadOnly(this->keyPath + "\\Nowhere"), platform::ERegistryKeyNotOpenable);
    try {
        platform::Registry().OpenKeyReadOnly(this->keyPath + "\\Nowhere");
    } catch (const platform::ERegistryKeyNotOpenable& error) {
        EXPECT_STRNE(error.what(), "") << "the error names the key";
    }
}

TYPED_TEST_P(RegistryContract, WritingToAReadOnlyKeyFailsWithTheSystemMessage)
{
    platform::Registry().OpenOrCreateKey(this->keyPath);
    auto key = platform::Registry().OpenKeyReadOnly(this->keyPath);
    EXPECT_THROW(key->WriteString("Denied", "x"), platform::ERegistry);
}

TYPED_TEST_P(RegistryContract, AbbreviationsSurviveASaveAndALoad)
{
    this->registry.DeleteTree(AbbreviationsKey);
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
    this->registry.DeleteTree(AbbreviationsKey);
}

TYPED_TEST_P(RegistryContract, ValueCountCountsTheValuesOfEveryNameAndType)
{
    EXPECT_EQ(platform::Registry().OpenOrCreateKey(this->keyPath)->ValueCount(), 0u);
    this->registry.SetRaw("Blob", RawType::Binary, std::string("\x01\x02", 2));
    auto key = platform::Registry().OpenOrCreateKey(this->keyPath);
    key->WriteInteger("Count", 7);
    key->WriteString("Path3", "C:\\A.lnk");
    EXPECT_EQ(key->ValueCount(), 3u);
    EXPECT_EQ(platform::Registry().OpenKeyReadOnly(this->keyPath)->ValueCount(), 3u);
}

// A pair deleted by hand and a damaged, huge "Count": the pairs after the gap are loaded,
// and loading ends.
TYPED_TEST_P(RegistryContract, AbbreviationsAfterAGapLoadAlsoWithAHugeCount)
{
    this->registry.DeleteTree(AbbreviationsKey);
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
    this->registry.DeleteTree(AbbreviationsKey);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, IntegersAndStringsRoundTrip, ExpandableStringsAreReadUnexpanded,
                            UnterminatedStringIsReadWhole, WrongTypesAndMissingValuesReadAsNone,
                            MissingKeyCannotBeOpenedForReading, WritingToAReadOnlyKeyFailsWithTheSystemMessage,
                            AbbreviationsSurviveASaveAndALoad, ValueCountCountsTheValuesOfEveryNameAndType,
                            AbbreviationsAfterAGapLoadAlsoWithAHugeCount);

} // namespace contract
