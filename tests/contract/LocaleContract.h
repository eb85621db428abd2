#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BackendNames.h"
#include "platform/Platform.h"

// The locale's contract: the order the user's lists are sorted in. A backend installs
// its platform when made and removes it when destroyed.
namespace contract {

template <class Backend>
class LocaleContract : public ::testing::Test {
protected:
    Backend backend;
};

TYPED_TEST_SUITE_P(LocaleContract);

TYPED_TEST_P(LocaleContract, ComparisonIgnoresCaseAndOrdersAlphabetically)
{
    auto& locale = platform::Locale();
    EXPECT_EQ(locale.CompareText("Notepad", "NOTEPAD"), 0);
    EXPECT_LT(locale.CompareText("apple", "Banana"), 0);
    EXPECT_GT(locale.CompareText("banana", "Apple"), 0);
    EXPECT_LT(locale.CompareText("Note", "Notepad"), 0);
    EXPECT_LT(locale.CompareText("", "a"), 0);
}

TYPED_TEST_P(LocaleContract, SortedListFollowsTheLocaleNotByteOrder)
{
    std::vector<std::string> texts = {"zebra", "Apple", "mango", "apple pie", "Zoo", "Banana"};
    std::sort(texts.begin(), texts.end(), platform::LocaleTextLess());
    const std::vector<std::string> expected = {"Apple", "apple pie", "Banana", "mango", "zebra", "Zoo"};
    EXPECT_EQ(texts, expected);
}

REGISTER_TYPED_TEST_SUITE_P(LocaleContract, ComparisonIgnoresCaseAndOrdersAlphabetically,
                            SortedListFollowsTheLocaleNotByteOrder);

} // namespace contract
