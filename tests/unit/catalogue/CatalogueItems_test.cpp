#include "catalogue/CatalogueItems.h"

#include <random>

#include "SimulatorTest.h"
#include "catalogue/uProgramInfo.h"
#include "catalogue/SortedItems.h"

namespace {

class CatalogueItemsTest : public SimulatorTest {
protected:
    // Distinct objects to tell pairs with equal texts apart.
    TProgramInfo* Object(std::size_t n)
    {
        while (objects.size() <= n)
            objects.push_back(std::make_unique<TProgramInfo>());
        return objects[n].get();
    }

    static std::vector<TCatalogueItems::Pair> Listed(const TItemList& list)
    {
        std::vector<TCatalogueItems::Pair> pairs;
        for (std::size_t i = 0; i < list.Count(); ++i)
            pairs.emplace_back(list.Text(i), list.Entry(i));
        return pairs;
    }

    std::vector<std::unique_ptr<TProgramInfo>> objects;
};

TEST_F(CatalogueItemsTest, EqualTextsInAnyCaseAreKeptWithTheLastAddedFirst)
{
    TCatalogueItems items;
    items.AddObject("Notepad", Object(0));
    items.AddObject("calc", Object(1));
    items.AddObject("NOTEPAD", Object(2));
    items.AddObject("notepad", Object(3));

    const std::vector<TCatalogueItems::Pair> expected = {
        {"calc", Object(1)}, {"notepad", Object(3)}, {"NOTEPAD", Object(2)}, {"Notepad", Object(0)}};
    EXPECT_EQ(Listed(items), expected);

    // Added after a read: still before the equal ones already there.
    items.AddObject("NotePad", Object(4));
    EXPECT_EQ(items.Entry(1), Object(4));
    EXPECT_EQ(items.Count(), 5u);
}

TEST_F(CatalogueItemsTest, ContainsTextSeesPairsAddedSinceTheLastRead)
{
    TCatalogueItems items;
    EXPECT_FALSE(items.ContainsText("x"));
    items.AddObject("Word", Object(0));
    EXPECT_TRUE(items.ContainsText("WORD"));
    EXPECT_FALSE(items.ContainsText("Wor"));
    items.Clear();
    EXPECT_EQ(items.Count(), 0u);
    EXPECT_FALSE(items.ContainsText("Word"));
}

// Against the plain sorted insert, with look-ups interleaved as the Recent source does them
// and tails both shorter and longer than what is searched without sorting.
TEST_F(CatalogueItemsTest, GivesTheSameListAsASortedInsertForAnyMixOfAddsAndLookUps)
{
    std::mt19937 random(7);
    const char* const words[] = {"a", "A", "b", "Ab", "aB", "ab c", "Zed", "zed", "", "m - np", "M", "-"};
    for (int round = 0; round < 20; ++round) {
        TCatalogueItems fast;
        TSortedItems reference;
        const int operations = 1 + static_cast<int>(random() % 400);
        for (int n = 0; n < operations; ++n) {
            const std::string text = words[random() % std::size(words)];
            if (random() % 3 == 0) {
                ASSERT_EQ(fast.ContainsText(text), reference.ContainsText(text)) << "round " << round;
            } else {
                fast.AddObject(text, Object(static_cast<std::size_t>(n)));
                reference.AddObject(text, Object(static_cast<std::size_t>(n)));
            }
        }
        ASSERT_EQ(Listed(fast), Listed(reference)) << "round " << round;
    }
}

} // namespace
