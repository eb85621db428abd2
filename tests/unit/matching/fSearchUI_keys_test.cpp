// Key routing between the edit and the list, as the host's key preview drives it.
#include "SearchPanelTest.h"

namespace {

using namespace platform;

class SearchKeysTest : public SearchPanelTest {
protected:
    SearchKeysTest()
    {
        for (const char* name : {"Alpha", "Amber", "Anchor", "Apple", "Arrow"})
            AddProgram(name);
        Open();
        panel->ResetSearch();
        form->Type("a");
    }
};

TEST_F(SearchKeysTest, DownInTheEditMovesFocusAndSelectionIntoTheList)
{
    ASSERT_TRUE(Edit().Focused());
    ASSERT_EQ(List().ItemIndex(), 0);
    form->PressKey(vk::Down);
    EXPECT_TRUE(List().Focused());
    EXPECT_EQ(List().ItemIndex(), 1);
    form->PressKey(vk::Down); // now the list's own: one row further, not two
    EXPECT_EQ(List().ItemIndex(), 2);
    form->PressKey(vk::Up);
    EXPECT_EQ(List().ItemIndex(), 1);
}

TEST_F(SearchKeysTest, PageKeysAndTabAlsoGoToTheList)
{
    form->PressKey(vk::PageDown);
    EXPECT_TRUE(List().Focused());
    EXPECT_EQ(List().ItemIndex(), 4);

    Edit().SetFocus();
    form->PressKey(vk::PageUp);
    EXPECT_EQ(List().ItemIndex(), 0);

    Edit().SetFocus();
    form->PressKey(vk::Tab);
    EXPECT_TRUE(List().Focused());
    EXPECT_EQ(List().ItemIndex(), 0);
}

TEST_F(SearchKeysTest, TypingWhileTheListHasTheFocusTypesIntoTheEdit)
{
    form->PressKey(vk::Down);
    ASSERT_TRUE(List().Focused());
    form->Type("n");
    EXPECT_TRUE(Edit().Focused());
    EXPECT_EQ(Edit().Text(), "an");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Anchor"}));
}

TEST_F(SearchKeysTest, EnterPressesGoWhereverTheFocusIs)
{
    form->PressKey(vk::Return);
    form->PressKey(vk::Down);
    form->PressKey(vk::Return);
    EXPECT_EQ(Picked, (std::vector<std::string>{PathOf("Alpha"), PathOf("Amber")}));
}

TEST_F(SearchKeysTest, ResetSearchEmptiesAndFocusesTheEdit)
{
    form->PressKey(vk::Down);
    panel->ResetSearch();
    EXPECT_TRUE(Edit().Focused());
    EXPECT_EQ(Edit().Text(), "");
    EXPECT_EQ(Rows().size(), 5u);
    EXPECT_EQ(List().ItemIndex(), 0);

    // Already empty: nothing is searched again, the list keeps its state.
    const int repaints = List().RepaintCount;
    List().Click(3);
    panel->ResetSearch();
    EXPECT_EQ(List().RepaintCount, repaints);
    EXPECT_EQ(List().ItemIndex(), 3);
}

} // namespace
