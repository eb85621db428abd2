#include "forms/FormMap.h"
#include "res/resource.h"

namespace forms {

// "Select a program": a search panel in a fixed dialog.
void AddSelector(FormMap& forms)
{
    forms["TfrmSelector"] = {IDD_SELECTOR,
                             {{"frmSearchUI1", ControlKind::Frame, IDC_FRAME1, "TfrmSearchUI"}},
                             {{"frmSearchUI1", 0, Near(6), Near(5), Far(4), Far(6)}},
                             {587, 338},
                             FirstSize::Client};
}

} // namespace forms
