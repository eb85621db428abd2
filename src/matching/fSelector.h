#pragma once
#include <memory>
#include <optional>

#include "matching/EntryIdentity.h"
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
    // What the picked entry stands for; empty until the panel's Go. Not the entry itself:
    // the catalogue may free it before the caller gets to use it.
    std::optional<TEntryIdentity> SelectedItem;

private:
    void frmSearchUI1Go(TfrmSearchUI& sender, TProgramInfo& entry);
};

// Lets the user pick a catalogue entry. True and what the entry stands for when the
// dialog ended with OK (FindLiveEntry finds the entry); false, and picked untouched, otherwise.
bool SelectProgram(TEntryIdentity& picked);
