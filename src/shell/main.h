#pragma once
#include <memory>
#include <string>

#include "common/ProgramNames.h"
#include "matching/fSearchRunningUI.h"
#include "matching/fSearchUI.h"
#include "platform/Widgets.h"

class TAddItemsPage;
class TFormPlacement;
class TProgramInfo;
class TSysTray;

// The main window: three pages (the search panel lists the catalogue when it is made),, the global hotkeys and the notification icon.
// it lives for the whole run, hidden most of the time.
class TMainForm {
public:
    static constexpr int tsLaunch = 0;
    static constexpr int tsAddItems = 1;
    static constexpr int tsRunning = 2;

    TMainForm();
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    void ApplyHotkeys();
    void SaveSettings();
    void WMHotKey(int id);
    void ShowFromMessage(const std::string& text);
    void LaunchPicked(TfrmSearchUI& sender, TProgramInfo& entry);
    void FormKeyDown(int& key);
    void FormShow();
    void FormActivate();
    void FormEndSession();
    void tsRunningEnter();
    void Options1Click();
    void Exit1Click();
    void Help2Click();
    void About1Click();

    std::unique_ptr<platform::IForm> Form;
    TfrmSearchUI frmSearchUI1;
    TfrmSearchRunningUI frmSearchRunningUI1;
    platform::IPageControl& pcMain;
    platform::IEdit& edClipboard;
    std::unique_ptr<TSysTray> Tray;
    std::string NewShortcutsFolder;
    // The "Add items to Launch!" page's operations, on the window's own controls.
    std::unique_ptr<TAddItemsPage> AddItems;
    // Keeps the window's position, size and show state between runs.
    std::unique_ptr<TFormPlacement> FormPlacement1;

    // The user guide opened by Help; the Windows build puts it beside the program.
    static std::string GuidePath;

private:
    void BringUp();
    void pcMainPageShow(int page);
    void ShowDefaultButtonOf(int page);
};

// The current user's Start Menu programs folder, empty when the system has none.
std::string ProgramsFolder();
