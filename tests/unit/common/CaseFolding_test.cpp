#include "common/CaseFolding.h"

#include <gtest/gtest.h>

TEST(CaseFolding, FoldsLettersOfEveryScriptByTheUnicodeTable)
{
    EXPECT_EQ(FoldCase("Notepad ABC xyz 123"), "notepad abc xyz 123");
    EXPECT_EQ(FoldCase("\xC3\x9C" "ber \xC3\x89" "cole"), "\xC3\xBC" "ber \xC3\xA9" "cole"); // Über École
    EXPECT_EQ(FoldCase("\xCE\xA9\xCE\x9C\xCE\x95\xCE\x93\xCE\x91"), "\xCF\x89\xCE\xBC\xCE\xB5\xCE\xB3\xCE\xB1"); // ΩΜΕΓΑ
    EXPECT_EQ(FoldCase("\xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C"), "\xD0\xB6\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C"); // Жизнь
    EXPECT_EQ(FoldCase("\xC5\x81\xC3\xB3" "d\xC5\xBA"), "\xC5\x82\xC3\xB3" "d\xC5\xBA"); // Łódź
    // Simple foldings that change a character's length, and both ends of the table.
    EXPECT_EQ(FoldCase("\xE2\x84\xAA"), "k");                 // Kelvin sign
    EXPECT_EQ(FoldCase("\xE1\xBA\x9E"), "\xC3\x9F");          // capital sharp s gives ß, not ss
    EXPECT_EQ(FoldCodePoint(0x1E921), char32_t{0x1E943});     // Adlam, the table's last letters
    EXPECT_EQ(FoldCodePoint(0x00B5), char32_t{0x03BC});       // micro sign
    EXPECT_EQ(FoldCodePoint(0x65E5), char32_t{0x65E5});       // 日 has no case
    EXPECT_EQ(FoldCase("\xE6\x97\xA5\xE6\x9C\xAC"), "\xE6\x97\xA5\xE6\x9C\xAC");
}

// Bytes that are not well-formed UTF-8 (an older ANSI code page, a damaged name) stay as
// they are, and a broken sequence never swallows the character after it.
TEST(CaseFolding, LeavesBytesOutsideWellFormedSequencesAlone)
{
    EXPECT_EQ(FoldCase("Caf\xC9 \xC4"), "caf\xC9 \xC4");              // Latin-1 É and Ä
    EXPECT_EQ(FoldCase("\xC3" "A"), "\xC3" "a");                     // a lead byte cut short
    EXPECT_EQ(FoldCase("\xC1\x81"), "\xC1\x81");                     // an overlong 'A'
    EXPECT_EQ(FoldCase("\xED\xA0\x80X"), "\xED\xA0\x80x");           // a surrogate
    EXPECT_EQ(FoldCase("\x80\xCE\xA9\xBF"), "\x80\xCF\x89\xBF");     // stray continuation bytes around Ω
    EXPECT_EQ(FoldCase(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(CaseFolding, CharactersAreABytePlusTheContinuationBytesAfterIt)
{
    const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80z";
    EXPECT_EQ(CharacterLength(text, 0), 1u);
    EXPECT_EQ(CharacterLength(text, 1), 2u);
    EXPECT_EQ(CharacterLength(text, 3), 3u);
    EXPECT_EQ(CharacterLength(text, 6), 4u);
    EXPECT_EQ(CharacterLength(text, 10), 1u);
    EXPECT_EQ(CharacterLength("\x80\x80x", 0), 2u) << "continuation bytes at the start are one character";
    EXPECT_EQ(CharacterLength("\xC3", 0), 1u);
}
