#include <algorithm>
#include <vector>

#include "Win32Test.h"
#include "platform/Platform.h"

namespace {

using LocaleContract = Win32Test;

TEST_F(LocaleContract, ComparisonIgnoresCaseAndOrdersAlphabetically)
{
    auto& locale = platform::Locale();
    EXPECT_EQ(locale.CompareText("Notepad", "NOTEPAD"), 0);
    EXPECT_LT(locale.CompareText("apple", "Banana"), 0);
    EXPECT_GT(locale.CompareText("banana", "Apple"), 0);
    EXPECT_LT(locale.CompareText("Note", "Notepad"), 0);
    EXPECT_LT(locale.CompareText("", "a"), 0);
}

TEST_F(LocaleContract, SortedListFollowsTheLocaleNotByteOrder)
{
    std::vector<std::string> texts = {"zebra", "Apple", "mango", "apple pie", "Zoo", "Banana"};
    std::sort(texts.begin(), texts.end(), platform::LocaleTextLess());
    const std::vector<std::string> expected = {"Apple", "apple pie", "Banana", "mango", "zebra", "Zoo"};
    EXPECT_EQ(texts, expected);
}

} // namespace
