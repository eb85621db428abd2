#include "forms/FormMap.h"
#include "res/resource.h"

namespace forms {

// The about box keeps its template's size and places.
void AddAbout(FormMap& forms)
{
    forms["TfrmAbout"] = {IDD_ABOUT, {{"btnOK", ControlKind::Button, IDC_BTNOK}}};
}

} // namespace forms
