#pragma once
#include <memory>

#include "matching/fSearchUI.h"
#include "platform/Widgets.h"

class TProgramInfo;

// The modal "Select a program" dialog: a search panel whose Go picks the entry.
class TfrmSelector {
public:
    TfrmSelector();
    ~TfrmSelector();
    TfrmSelector(const TfrmSelector&) = delete;
    TfrmSelector& operator=(const TfrmSelector&) = delete;

    int ShowModal() { return Form->ShowModal(); }
    void FormShow();
    void FormKeyDown(int& key);

    std::unique_ptr<platform::IForm> Form;
    TfrmSearchUI frmSearchUI1;
    // The picked entry, not owned; null until the panel's Go.
    TProgramInfo* SelectedItem = nullptr;

private:
    void frmSearchUI1Go(TfrmSearchUI& sender, TProgramInfo& entry);
};

// Lets the user pick a catalogue entry. True and the entry when the dialog ended
// with OK; false, and picked untouched, otherwise.
bool SelectProgram(TProgramInfo*& picked);
