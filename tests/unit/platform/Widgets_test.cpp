#include <memory>

#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

using namespace platform;
using platform::headless::SimForm;

class HeadlessWidgetsTest : public SimulatorTest {
protected:
    HeadlessWidgetsTest()
        : owned(sim.widgets.CreateForm("TfrmSearchRunningUI")), form(static_cast<SimForm&>(*owned))
    {
        for (int i = 0; i < 50; ++i)
            form.ListBox("lbSearch").Add({"row " + std::to_string(i), static_cast<std::uintptr_t>(i)});
    }

    std::unique_ptr<IForm> owned;
    SimForm& form;
};

TEST_F(HeadlessWidgetsTest, ControlsAreBoundByNameAndKind)
{
    EXPECT_NO_THROW(form.Edit("edLaunch"));
    EXPECT_NO_THROW(form.Button("Button1"));
    EXPECT_THROW(form.Edit("lbSearch"), Exception);
    EXPECT_THROW(form.ListBox("lbMissing"), Exception);
    EXPECT_THROW(sim.widgets.CreateForm("TfrmNothing"), Exception);

    auto selector = sim.widgets.CreateForm("TfrmSelector");
    IContainer& panel = selector->Frame("frmSearchUI1");
    EXPECT_NO_THROW(panel.MenuItem("Clearabbreviation1"));
}

TEST_F(HeadlessWidgetsTest, EditFiresChangeOnlyWhenTheTextChanges)
{
    int changes = 0;
    form.Edit("edLaunch").OnChange = [&] { ++changes; };
    form.Edit("edLaunch").SetText("abc");
    form.Edit("edLaunch").SetText("abc");
    form.Edit("edLaunch").SetText("");
    EXPECT_EQ(changes, 2);
}

TEST_F(HeadlessWidgetsTest, ArrowAndPageKeysMoveTheSelectionWithinTheRows)
{
    auto& list = form.ListBox("lbSearch");
    int selects = 0;
    list.OnSelect = [&] { ++selects; };
    list.SetFocus();

    form.PressKey(vk::Down);
    EXPECT_EQ(list.ItemIndex(), 0); // nothing was selected: the first key selects the first row
    form.PressKey(vk::Down);
    EXPECT_EQ(list.ItemIndex(), 1);
    form.PressKey(vk::PageDown);
    EXPECT_EQ(list.ItemIndex(), 1 + list.PageSize() - 1);
    form.PressKey(vk::PageUp);
    form.PressKey(vk::Up);
    EXPECT_EQ(list.ItemIndex(), 0);
    form.PressKey(vk::Up);
    EXPECT_EQ(list.ItemIndex(), 0);
    for (int i = 0; i < 10; ++i)
        form.PressKey(vk::PageDown);
    EXPECT_EQ(list.ItemIndex(), 49);
    const int pageMoves = (49 + list.PageSize() - 2) / (list.PageSize() - 1);
    EXPECT_EQ(selects, 5 + pageMoves); // a key that does not move the selection reports nothing

    list.SetItemIndex(3);
    EXPECT_EQ(selects, 5 + pageMoves); // only the user's moves are reported
    list.SetItemIndex(99);
    EXPECT_EQ(list.ItemIndex(), 3);
}

TEST_F(HeadlessWidgetsTest, KeysReachOnlyTheFocusedControlAfterThePreview)
{
    auto& list = form.ListBox("lbSearch");
    auto& edit = form.Edit("edLaunch");
    edit.SetFocus();
    form.PressKey(vk::Down);
    EXPECT_EQ(list.ItemIndex(), IListBox::NoRow);

    std::vector<int> previewed;
    form.OnKeyDown = [&](int& key) {
        previewed.push_back(key);
        if (key == 'X')
            key = 0;
    };
    form.Type("aXb");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(previewed, (std::vector<int>{'A', 'X', 'B'}));
    form.PressKey(vk::Back);
    EXPECT_EQ(edit.Text(), "a");
}

TEST_F(HeadlessWidgetsTest, EnterPressesTheDefaultButton)
{
    int clicks = 0;
    form.Button("Button1").OnClick = [&] { ++clicks; };
    form.Edit("edLaunch").SetFocus();
    form.PressKey(vk::Return);
    EXPECT_EQ(clicks, 0);
    form.Button("Button1").SetDefault(true);
    form.PressKey(vk::Return);
    form.ListBox("lbSearch").SetFocus();
    form.PressKey(vk::Return);
    EXPECT_EQ(clicks, 2);
}

TEST_F(HeadlessWidgetsTest, RepaintsOncePerOutermostUpdate)
{
    auto& list = form.ListBox("lbSearch");
    const int before = list.RepaintCount;
    list.BeginUpdate();
    list.BeginUpdate();
    list.Clear();
    list.AddRows({{"a", 1}, {"b", 2}});
    list.Add({"c", 3});
    list.EndUpdate();
    EXPECT_EQ(list.RepaintCount, before);
    list.EndUpdate();
    EXPECT_EQ(list.RepaintCount, before + 1);
    list.EndUpdate(); // unbalanced: ignored
    list.SetText(0, "A");
    EXPECT_EQ(list.RepaintCount, before + 2);
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_EQ(list.Data(2), 3u);
}

TEST_F(HeadlessWidgetsTest, AnErrorInAHandlerIsReportedAndTheFormGoesOn)
{
    form.Edit("edLaunch").OnChange = [] { throw Exception("Bad pattern"); };
    form.Edit("edLaunch").SetFocus();
    form.Type("(a");
    EXPECT_EQ(form.Edit("edLaunch").Text(), "(a");
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>(2, "Bad pattern.")));
}

TEST_F(HeadlessWidgetsTest, DoubleClickSelectsAndNotifies)
{
    auto& list = form.ListBox("lbSearch");
    int doubleClicks = 0;
    list.OnDblClick = [&] { ++doubleClicks; };
    list.DoubleClick(4);
    list.DoubleClick(500);
    EXPECT_EQ(list.ItemIndex(), 4);
    EXPECT_TRUE(list.Focused());
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(HeadlessWidgetsTest, ModalLoopEndsWithTheResultSetOrCancel)
{
    auto dialog = sim.widgets.CreateForm("TfrmSelector");
    int shows = 0;
    dialog->OnShow = [&] { ++shows; };
    EXPECT_EQ(dialog->ShowModal(), ModalResultCancel);
    sim.widgets.WhileModal = [](SimForm& shown) { shown.SetModalResult(ModalResultOk); };
    EXPECT_EQ(dialog->ShowModal(), ModalResultOk);
    EXPECT_EQ(shows, 2);
}

} // namespace
