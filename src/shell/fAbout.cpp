#include "shell/fAbout.h"

#include "platform/Platform.h"

TfrmAbout::TfrmAbout() : Form(platform::Widgets().CreateForm("TfrmAbout"))
{
    auto& ok = Form->Button("btnOK");
    ok.SetDefault(true);
    ok.OnClick = [this] { Form->SetModalResult(platform::ModalResultOk); };
    Form->OnKeyDown = [this](int& key) { FormKeyDown(key); };
}

void TfrmAbout::FormKeyDown(int& key)
{
    if (key == platform::vk::Escape) {
        Form->SetModalResult(platform::ModalResultCancel);
        key = 0;
    }
}
