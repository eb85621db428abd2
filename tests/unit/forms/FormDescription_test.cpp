#include <tuple>

#include "forms/FormDescription.h"

#include "SimulatorTest.h"
#include "common/Exception.h"

#include <cstdlib>

namespace {

using FormDescriptionTest = SimulatorTest;

// The simulator's controls take the sizes the same rules give on Windows, at the form's design size.
TEST_F(FormDescriptionTest, TheSimulatorLaysOutEachFormByItsRules)
{
    auto selector = sim.widgets.CreateForm("TfrmSelector");
    auto& panel = static_cast<platform::headless::SimForm&>(*selector).Frame("frmSearchUI1");
    const forms::Size design = forms::FindForm("TfrmSearchUI").DesignSize;
    EXPECT_EQ(panel.Edit("edLaunch").Width(), design.Width - 99);
    EXPECT_EQ(panel.Button("Button1").Width(), 82);
    EXPECT_EQ(panel.Panel("pnlTopLeft").Width(), design.Width - 91);
    EXPECT_EQ(panel.ListBox("lbSearch").Width(), design.Width - 8);
    EXPECT_EQ(panel.ListBox("lbSearch").PageSize(), (design.Height - 39) / forms::ListRowHeightAt(forms::DesignDpi));

    // Pages' controls are the form's; every rule names a control its form has.
    for (const char* form : {"TMainForm", "TfrmConfig", "TfrmAbout", "TfrmSearchRunningUI"})
        EXPECT_NO_THROW(sim.widgets.CreateForm(form)) << form;
    auto config = sim.widgets.CreateForm("TfrmConfig");
    EXPECT_EQ(config->PageControl("PageControl1").PageCount(), 2);
    EXPECT_EQ(config->CheckBox("cbRunAlt").Width(), 150);
    EXPECT_THROW(sim.widgets.CreateForm("TNoSuchForm"), Exception);
}

// Sizes are designed at 96 pixels per inch and scaled, rounded to the nearest pixel.
TEST_F(FormDescriptionTest, SizesScaleWithThePixelsPerInch)
{
    EXPECT_EQ(forms::Scaled(696, 96), 696);
    EXPECT_EQ(forms::Scaled(696, 144), 1044);
    EXPECT_EQ(forms::Scaled(470, 192), 940);
    EXPECT_EQ(forms::Scaled(13, 144), 20) << "19.5 rounds up";
    EXPECT_EQ(forms::Scaled(-5, 144), -8) << "halves away from zero";
    // A row holds its icon, drawn at the small-icon size of the scale, and a line of text.
    for (const auto [dpi, icon, row] : {std::tuple{96, 16, 18}, {120, 20, 22}, {144, 24, 26}, {192, 32, 34}}) {
        EXPECT_EQ(forms::ListIconSizeAt(dpi), icon) << dpi;
        EXPECT_EQ(forms::ListRowHeightAt(dpi), row) << dpi;
        EXPECT_GE(row, forms::Scaled(forms::ListRowHeight, dpi)) << dpi;
    }
    const forms::Size main = forms::FindForm("TMainForm").DesignSize.At(144);
    EXPECT_EQ(main.Width, 1044);
    EXPECT_EQ(main.Height, 705);

    // A far edge stays its scaled distance from the container's far side.
    const forms::Anchor anchor{"x", 0, forms::Near(8), forms::Near(30), forms::Far(8), forms::Far(40)};
    const forms::Rect at = anchor.In(900, 600, 192);
    EXPECT_EQ(at.Left, 16);
    EXPECT_EQ(at.Top, 60);
    EXPECT_EQ(at.Right, 884);
    EXPECT_EQ(at.Bottom, 520);
}

// Dragged onto a 200 % monitor and back, a form takes the rectangle Windows suggests and
// its controls grow with the scale and shrink back to their exact design sizes.
TEST_F(FormDescriptionTest, AFormMovedBetweenMonitorsOfDifferentScaleLaysItselfOutAnew)
{
    using platform::headless::SimForm;
    auto created = sim.widgets.CreateForm("TMainForm");
    auto& main = static_cast<SimForm&>(*created);
    auto& panel = main.Frame("frmSearchUI1");
    const int edit = panel.Edit("edLaunch").Width();
    const int list = panel.ListBox("lbSearch").Width();
    const int rows = panel.ListBox("lbSearch").PageSize();
    const int explain = main.Panel("pnlTopMiddle").Width();
    int panelResizes = 0;
    main.Panel("pnlTopMiddle").OnResize = [&] { ++panelResizes; };

    const platform::PlacementRect twice{1200, 100, 1200 + 2 * 696, 100 + 2 * 470};
    main.MoveToMonitor(192, twice);
    EXPECT_EQ(main.Dpi, 192);
    EXPECT_EQ(main.Window.Bounds().Left, twice.Left);
    EXPECT_EQ(main.Window.Bounds().Right, twice.Right);
    EXPECT_EQ(main.Window.Bounds().Bottom, twice.Bottom);
    EXPECT_EQ(panel.Edit("edLaunch").Width(), 2 * edit);
    EXPECT_EQ(panel.ListBox("lbSearch").Width(), 2 * list);
    // Rows grow with the list; the icon's margin does not, so a row or so more fits.
    EXPECT_LE(std::abs(panel.ListBox("lbSearch").PageSize() - rows), 1) << "rows grow with the list";
    EXPECT_EQ(main.Panel("pnlTopMiddle").Width(), 2 * explain);
    EXPECT_EQ(panelResizes, 1) << "a panel's own handler places what it holds";

    main.MoveToMonitor(144, {0, 0, 1044, 705});
    EXPECT_LE(std::abs(panel.Edit("edLaunch").Width() - edit * 3 / 2), 1);

    main.MoveToMonitor(96, {164, 149, 860, 619});
    EXPECT_EQ(panel.Edit("edLaunch").Width(), edit);
    EXPECT_EQ(panel.ListBox("lbSearch").Width(), list);
    EXPECT_EQ(main.Panel("pnlTopMiddle").Width(), explain);

    // The options dialog's groups and boxes scale the same way.
    auto config = sim.widgets.CreateForm("TfrmConfig");
    static_cast<SimForm&>(*config).MoveToMonitor(144, {0, 0, 710, 789});
    EXPECT_EQ(config->CheckBox("cbKeyWin").Width(), 225);
}

} // namespace
