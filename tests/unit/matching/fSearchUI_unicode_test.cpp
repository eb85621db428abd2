// Names in other scripts: UTF-8 texts, matched character by character, with the case of
// every script's letters ignored.
#include <algorithm>

#include "SearchPanelTest.h"

namespace {

const std::string Cafe = "Caf\xC3\xA9 \xC3\x9Cn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC"; // Café Ünïcödé 日本
const std::string Japanese = "\xE6\x97\xA5\xE6\x9C\xAC";                                          // 日本
const std::string JapaneseEditor = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E Editor";                  // 日本語 Editor
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";        // Ελληνικά

class UnicodeSearchTest : public SearchPanelTest {
protected:
    void AddNames()
    {
        AddProgram(Cafe);
        AddProgram(JapaneseEditor);
        AddProgram(Greek);
        AddProgram("Cafeteria");
    }
    bool Lists(const std::string& text)
    {
        const Texts rows = Rows();
        return std::find(rows.begin(), rows.end(), text) != rows.end();
    }
};

TEST_F(UnicodeSearchTest, TypedNonAsciiTextFindsTheSameBytesPrefixBeforeSequence)
{
    AddNames();
    Open();
    Search(Japanese);
    EXPECT_EQ(Rows(), (Texts{JapaneseEditor, Cafe}));
    Search(Greek.substr(0, 6));
    EXPECT_EQ(Rows(), Texts{Greek});
}

TEST_F(UnicodeSearchTest, AsciiStartOfANameWithAccentsFindsIt)
{
    AddNames();
    Open();
    Search("caf");
    EXPECT_TRUE(Lists(Cafe));
    EXPECT_TRUE(Lists("Cafeteria"));
    EXPECT_EQ(Rows().size(), 2u);
    Search("caf\xC3\xA9"); // café
    EXPECT_EQ(Rows(), Texts{Cafe});
}

TEST_F(UnicodeSearchTest, TypedLettersFindNamesInTheOtherCaseInEveryScript)
{
    AddNames();
    AddProgram("\xCE\xA9mega Backup");   // Ωmega Backup
    AddProgram("\xC3\x89" "cole Maps"); // École Maps
    Open();
    Search("\xC3\xBCn\xC3\xAF"); // ünï
    EXPECT_EQ(Rows(), Texts{Cafe});
    Search("\xCF\x89"); // ω
    EXPECT_EQ(Rows(), Texts{"\xCE\xA9mega Backup"});
    Search("\xC3\xA9" "cole"); // école
    EXPECT_EQ(Rows(), Texts{"\xC3\x89" "cole Maps"});
    Search("\xCE\x95\xCE\x9B\xCE\x9B"); // ΕΛΛ
    EXPECT_EQ(Rows(), Texts{Greek});
    Search("\xC3\x9CN\xC3\x8F"); // ÜNÏ
    EXPECT_TRUE(Lists(Cafe));
}

TEST_F(UnicodeSearchTest, NonAsciiTypedTextIsLearnedAsItsAbbreviation)
{
    AddNames();
    Open();
    Search(Japanese);
    form->PressKey(platform::vk::Down);
    form->PressKey(platform::vk::Return);
    ASSERT_EQ(Picked, Texts{PathOf(Cafe)});
    Search(Japanese);
    EXPECT_EQ(Rows().front(), Cafe + " - " + Japanese) << "the learned abbreviation puts it first";
}

} // namespace
