#include "shell/main.h"

#include <utility>
#include <vector>

#include "additems/AddItemsPage.h"
#include "catalogue/uFindFiles.h"
#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "config/placement.h"
#include "config/settings.h"
#include "config/uConfig.h"
#include "launch/launcher.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"
#include "shell/fAbout.h"
#include "shell/systray.h"

std::string TMainForm::GuidePath = "zephyrix-guide.html";

std::string ProgramsFolder()
{
    return platform::SpecialFolders().Path(platform::CsidlPrograms);
}

TMainForm::TMainForm()
    : Form(platform::Widgets().CreateForm("TMainForm")),
      frmSearchUI1(Form->Frame("frmSearchUI1")),
      frmSearchRunningUI1(Form->Frame("frmSearchRunningUI1")),
      pcMain(Form->PageControl("pcMain")),
      edClipboard(Form->Edit("edClipboard"))
{
    Form->SetCaption(MainWindowCaption);
    Form->OnKeyDown = [this](int& key) { FormKeyDown(key); };
    Form->OnShow = [this] { FormShow(); };
    Form->OnActivate = [this] { FormActivate(); };
    Form->OnHotkey = [this](int id) { WMHotKey(id); };
    pcMain.OnPageShow = [this](int page) { pcMainPageShow(page); };
    Form->MenuItem("Options1").OnClick = [this] { Options1Click(); };
    Form->MenuItem("Exit1").OnClick = [this] { Exit1Click(); };
    Form->MenuItem("Help2").OnClick = [this] { Help2Click(); };
    Form->MenuItem("Help2").SetShortCut(platform::vk::F1);
    Form->MenuItem("About1").OnClick = [this] { About1Click(); };

    ShowDefaultButtonOf(pcMain.ActivePage());

    Tray = std::make_unique<TSysTray>();
    Tray->Attach(*Form);
    ApplyHotkeys();
    frmSearchUI1.OnGo = [this](TfrmSearchUI& sender, TProgramInfo& entry) { LaunchPicked(sender, entry); };
    NewShortcutsFolder = JoinPath(ProgramsFolder(), "Zephyrix\\New Shortcuts");
    edClipboard.CompletePaths();

    AddItems = std::make_unique<TAddItemsPage>(*Form, NewShortcutsFolder,
                                               [this](const std::string& text) { ShowFromMessage(text); });
    Form->AcceptDroppedFiles();
    Form->OnDropFiles = [this](const std::vector<std::string>& names) { AddItems->StDropFiles1DropFiles(names); };

    // The placement is stored when the user closes the window, although the icon
    // then only hides it, and applied before every showing.
    FormPlacement1 = std::make_unique<TFormPlacement>(Form->Placed(), "TMainForm");
    Form->OnBeforeShow = [this] { FormPlacement1->FormShow(); };
    Form->OnEndSession = [this] { FormEndSession(); };
    Form->OnCloseQuery = [this, hide = std::move(Form->OnCloseQuery)](bool& allow) {
        FormPlacement1->FormCloseQuery(true, true);
        if (hide)
            hide(allow);
    };
}

TMainForm::~TMainForm()
{
    FormPlacement1->FormDestroy();
    SaveSettings();
    Tray.reset();
    Form->OnKeyDown = nullptr;
    Form->OnBeforeShow = nullptr;
    Form->OnShow = nullptr;
    Form->OnDropFiles = nullptr;
    Form->OnEndSession = nullptr;
    Form->OnActivate = nullptr;
    Form->OnHotkey = nullptr;
    pcMain.OnPageShow = nullptr;
    for (int id = 0; id <= 2; ++id)
        Form->UnregisterHotkey(id);
}

// A combination that is taken or invalid stays without effect; the others still work.
void TMainForm::ApplyHotkeys()
{
    SearchData().LoadAbbreviations();
    for (int id = 0; id <= 2; ++id)
        Form->UnregisterHotkey(id);
    const TConfig& config = Config();
    Form->RegisterHotkey(0, static_cast<unsigned>(config.ModifierKey), static_cast<unsigned>(config.Key));
    Form->RegisterHotkey(1, static_cast<unsigned>(config.AddModifierKey), static_cast<unsigned>(config.AddKey));
    Form->RegisterHotkey(2, static_cast<unsigned>(config.RunModifierKey), static_cast<unsigned>(config.RunKey));
}

// Each store is saved on its own and each failure reported: settings that cannot be
// written must not cost the abbreviations learned in this session, nor the other way
// round, and on the way out an error must not end the process before the icon goes.
void TMainForm::SaveSettings()
{
    platform::RunHandler([] { Config().Save(); });
    platform::RunHandler([] { SearchData().SaveAbbreviations(); });
}

void TMainForm::BringUp()
{
    Tray->CancelStartupHide();
    Form->Show();
    Form->Restore();
    Form->BringToFront();
    Form->Activate();
    Form->Show();
    Form->BringToFront();
}

void TMainForm::WMHotKey(int id)
{
    BringUp();
    switch (id) {
    case 0:
        pcMain.SetActivePage(tsLaunch);
        frmSearchUI1.ResetSearch();
        break;
    case 1: pcMain.SetActivePage(tsAddItems); break;
    case 2:
        pcMain.SetActivePage(tsRunning);
        frmSearchRunningUI1.ResetSearch();
        break;
    default: break;
    }
}

void TMainForm::ShowFromMessage(const std::string& text)
{
    BringUp();
    if (text.empty())
        return;
    pcMain.SetActivePage(tsAddItems);
    edClipboard.SetText(text);
    edClipboard.SetFocus();
}

// A failed launch leaves the window up, its error on the screen.
void TMainForm::LaunchPicked(TfrmSearchUI&, TProgramInfo& entry)
{
    entry.Launch();
    Form->Hide();
}

void TMainForm::FormKeyDown(int& key)
{
    if (key == platform::vk::Escape) {
        Form->Hide();
        key = 0;
        return;
    }
    if (pcMain.ActivePage() == tsLaunch)
        frmSearchUI1.RouteKey(key);
}

void TMainForm::FormShow()
{
    SearchData().WindowCalledUp();
    pcMain.SetActivePage(tsLaunch);
    frmSearchUI1.ResetSearch();
}

// The window becomes the application's active form again when one of its dialogs
// closes; coming back from another program keeps the page and the query. The add
// page's program selector is the exception: cancelled, or followed by an error, it
// leaves the window on the add page with its text.
void TMainForm::FormActivate()
{
    if (AddItems && AddItems->SelectorOperationRunning())
        return;
    FormShow();
}

// The system ends the process once this returns: what the shutdown would store is
// stored now, or the abbreviations learned in this session would be lost.
void TMainForm::FormEndSession()
{
    FormPlacement1->FormDestroy();
    SaveSettings();
}

void TMainForm::tsRunningEnter()
{
    frmSearchRunningUI1.ResetSearch();
}

// Enter presses the Go button of the page in view only.
void TMainForm::ShowDefaultButtonOf(int page)
{
    frmSearchUI1.Button1.SetDefault(page == tsLaunch);
    frmSearchRunningUI1.Button1.SetDefault(page == tsRunning);
}

void TMainForm::pcMainPageShow(int page)
{
    ShowDefaultButtonOf(page);
    if (page == tsRunning)
        tsRunningEnter();
    else if (page == tsAddItems)
        // A clipboard that cannot be read is reported; the page is shown all the
        // same, and a caller's text still follows.
        platform::RunHandler([this] { AddItems->tsAddItemsShow(); });
}

void TMainForm::Options1Click()
{
    bool confirmed = false;
    {
        TfrmConfig dialog;
        confirmed = dialog.ShowModal() == platform::ModalResultOk;
    }
    if (confirmed) {
        SaveSettings();
        ApplyHotkeys();
    }
    FormShow();
}

void TMainForm::Exit1Click()
{
    platform::Widgets().Terminate();
}

void TMainForm::Help2Click()
{
    LaunchPath(GuidePath, "", "");
}

void TMainForm::About1Click()
{
    TfrmAbout about;
    about.ShowModal();
}
