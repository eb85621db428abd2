#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/Utf8.h"

namespace {

// The test's own reading of UTF-8: the offsets where characters start in a valid text.
std::vector<std::size_t> Boundaries(const std::string& text)
{
    std::vector<std::size_t> boundaries;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            boundaries.push_back(i);
    boundaries.push_back(text.size());
    return boundaries;
}

bool IsValidUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// One, two, three and four-byte characters side by side: "aé日😀".
const std::string Mixed = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";

} // namespace

TEST(Utf8Cut, EveryLimitOfMixedTextEndsOnTheLastWholeCharacterBeforeIt)
{
    const std::string text = Mixed + "Caf\xC3\xA9 \xC3\x9Cn\xC3\xAF" + Mixed + "\xCE\xA9";
    const std::vector<std::size_t> boundaries = Boundaries(text);
    for (std::size_t limit = 0; limit <= text.size() + 2; ++limit) {
        const std::size_t length = Utf8CutLength(text, limit);
        std::size_t expected = 0;
        for (std::size_t boundary : boundaries)
            if (boundary <= limit)
                expected = boundary;
        EXPECT_EQ(length, expected) << "limit " << limit;
        const std::string cut = CutUtf8(text, limit);
        EXPECT_EQ(cut, text.substr(0, expected));
        EXPECT_TRUE(IsValidUtf8(cut)) << "limit " << limit;
    }
}

TEST(Utf8Cut, EachSequenceLengthIsKeptWholeOrDroppedWhole)
{
    const std::string characters[] = {"\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80"};
    for (const std::string& character : characters) {
        const std::string text = "ab" + character + "c";
        for (std::size_t inside = 3; inside < 2 + character.size(); ++inside)
            EXPECT_EQ(CutUtf8(text, inside), "ab") << character.size() << "-byte character, limit " << inside;
        EXPECT_EQ(CutUtf8(text, 2 + character.size()), "ab" + character);
    }
}

TEST(Utf8Cut, TextThatFitsIsReturnedUntouchedEvenWhenGarbled)
{
    EXPECT_EQ(CutUtf8("", 0), "");
    EXPECT_EQ(CutUtf8("abc", 3), "abc");
    // A lone lead byte at the end is not ours to remove when nothing is cut.
    EXPECT_EQ(CutUtf8("abc\xE6", 10), "abc\xE6");
    EXPECT_EQ(CutUtf8(Mixed, 0), "");
}

TEST(Utf8Cut, StrayBytesAreCutAtTheLimit)
{
    // Continuation bytes with no lead byte before them split nothing.
    EXPECT_EQ(CutUtf8("\x80\x80\x80\x80\x80", 3), "\x80\x80\x80");
    // A complete character followed by a stray continuation: the cut before the stray byte is whole.
    EXPECT_EQ(CutUtf8("a\xC3\xA9\x80\x80", 3), "a\xC3\xA9");
    EXPECT_EQ(CutUtf8("a\xC3\xA9\x80\x80", 4), "a\xC3\xA9\x80");
    // Bytes 0xF8 and above start nothing.
    EXPECT_EQ(CutUtf8("a\xFF\x80\x80", 2), "a\xFF");
    // A lead byte followed by an ASCII byte: the cut before the ASCII byte splits nothing.
    EXPECT_EQ(CutUtf8("a\xE6z", 2), "a\xE6");
}

TEST(Utf8Cut, GarbledInputIsNeverLongerThanTheLimitNorCutMoreThanOneCharacter)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string text(static_cast<std::size_t>(round % 40), '\0');
        for (char& c : text)
            c = static_cast<char>(byte(random));
        for (std::size_t limit = 0; limit <= text.size(); ++limit) {
            const std::size_t length = Utf8CutLength(text, limit);
            ASSERT_LE(length, limit);
            ASSERT_LE(limit - length, 3u) << "a cut backs up over one character at most";
        }
        const std::size_t complete = Utf8CompleteLength(text);
        ASSERT_LE(complete, text.size());
        ASSERT_LE(text.size() - complete, 3u);
    }
}

TEST(Utf8CompleteLength, DropsOnlyALastCharacterThatWasCutShort)
{
    EXPECT_EQ(Utf8CompleteLength(""), 0u);
    EXPECT_EQ(Utf8CompleteLength(Mixed), Mixed.size());
    for (std::size_t end = 0; end <= Mixed.size(); ++end) {
        const std::string prefix = Mixed.substr(0, end);
        EXPECT_TRUE(IsValidUtf8(prefix.substr(0, Utf8CompleteLength(prefix)))) << "prefix of " << end;
    }
    EXPECT_EQ(Utf8CompleteLength("ab\xF0\x9F\x98"), 2u);
    EXPECT_EQ(Utf8CompleteLength("ab\xF0\x9F\x98\x80"), 6u);
    EXPECT_EQ(Utf8CompleteLength("ab\xC3"), 2u);
    // Too many continuation bytes is garbage, not a cut: nothing to drop.
    EXPECT_EQ(Utf8CompleteLength("ab\xC3\xA9\x80"), 5u);
    EXPECT_EQ(Utf8CompleteLength("\x80\x80\x80\x80"), 4u);
}
