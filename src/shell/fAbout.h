#pragma once
#include <memory>

#include "platform/Widgets.h"

// The about box: the program's name and version, closed with OK or Esc.
class TfrmAbout {
public:
    TfrmAbout();
    int ShowModal() { return Form->ShowModal(); }
    void FormKeyDown(int& key);

    std::unique_ptr<platform::IForm> Form;
};
