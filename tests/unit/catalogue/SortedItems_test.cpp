#include "catalogue/SortedItems.h"

#include "SimulatorTest.h"
#include "catalogue/uProgramInfo.h"

namespace {

using SortedItemsTest = SimulatorTest;

TEST_F(SortedItemsTest, SortsWithoutCaseAndPutsTheLastAddedOfEqualTextsFirst)
{
    TProgramInfo first, second, third;
    TSortedItems items;
    items.AddObject("notepad", &first);
    items.AddObject("Calc", &third);
    items.AddObject("NOTEPAD", &second);
    ASSERT_EQ(items.Count(), 3u);
    EXPECT_EQ(items.Text(0), "Calc");
    EXPECT_EQ(items.Entry(1), &second);
    EXPECT_EQ(items.Entry(2), &first);

    EXPECT_TRUE(items.ContainsText("NotePad"));
    EXPECT_EQ(items.Find("notepad"), 1u);
    EXPECT_FALSE(items.ContainsText("Note"));
    EXPECT_FALSE(items.ContainsText("Notepads"));
    items.Clear();
    EXPECT_FALSE(items.ContainsText("calc"));
}

} // namespace
