#include "forms/FormDescription.h"

#include "SimulatorTest.h"
#include "common/Exception.h"

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
    EXPECT_EQ(panel.ListBox("lbSearch").PageSize(), (design.Height - 39) / forms::ListRowHeight);

    // Pages' controls are the form's; every rule names a control its form has.
    for (const char* form : {"TMainForm", "TfrmConfig", "TfrmAbout", "TfrmSearchRunningUI"})
        EXPECT_NO_THROW(sim.widgets.CreateForm(form)) << form;
    auto config = sim.widgets.CreateForm("TfrmConfig");
    EXPECT_EQ(config->PageControl("PageControl1").PageCount(), 2);
    EXPECT_EQ(config->CheckBox("cbRunAlt").Width(), 150);
    EXPECT_THROW(sim.widgets.CreateForm("TNoSuchForm"), Exception);
}

} // namespace
