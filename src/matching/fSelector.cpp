#include "matching/fSelector.h"

#include "platform/Platform.h"

TfrmSelector::TfrmSelector()
    : Form(platform::Widgets().CreateForm("TfrmSelector")), frmSearchUI1(Form->Frame("frmSearchUI1"))
{
    Form->SetCaption("Select a program");
    Form->OnShow = [this] { FormShow(); };
    Form->OnKeyDown = [this](int& key) { FormKeyDown(key); };
    frmSearchUI1.OnGo = [this](TfrmSearchUI& sender, TProgramInfo& entry) { frmSearchUI1Go(sender, entry); };
}

TfrmSelector::~TfrmSelector()
{
    Form->OnShow = nullptr;
    Form->OnKeyDown = nullptr;
}

void TfrmSelector::FormShow()
{
    frmSearchUI1.ResetSearch();
}

void TfrmSelector::FormKeyDown(int& key)
{
    if (key == platform::vk::Escape) {
        Form->SetModalResult(platform::ModalResultCancel);
        key = 0;
        return;
    }
    frmSearchUI1.RouteKey(key);
}

// The modal loop ends once the panel's Go, learning and saving included, is over.
void TfrmSelector::frmSearchUI1Go(TfrmSearchUI&, TProgramInfo& entry)
{
    SelectedItem = IdentityOf(entry);
    Form->SetModalResult(platform::ModalResultOk);
}

bool SelectProgram(TEntryIdentity& picked)
{
    TfrmSelector selector; // destroyed on every way out, an error included
    if (selector.ShowModal() != platform::ModalResultOk || !selector.SelectedItem)
        return false;
    picked = *selector.SelectedItem;
    return true;
}
