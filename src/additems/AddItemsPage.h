#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Widgets.h"

// The main window's "Add items to Launch!" page: the text in edClipboard becomes a
// shortcut or Internet-shortcut file in the "New Shortcuts" folder, which is then
// started. The controls come from the container the main window holds the page in.
class TAddItemsPage {
public:
    using TShowFromMessage = std::function<void(const std::string& text)>;

    // newShortcutsFolder and showFromMessage are the main window's.
    TAddItemsPage(platform::IContainer& page, std::string newShortcutsFolder, TShowFromMessage showFromMessage);
    TAddItemsPage(const TAddItemsPage&) = delete;
    TAddItemsPage& operator=(const TAddItemsPage&) = delete;

    // Every time the page comes into view: the clipboard's text replaces edClipboard's.
    void tsAddItemsShow();
    void SpeedButton1Click();
    // Files dropped on the main window: the first name goes to ShowFromMessage.
    void StDropFiles1DropFiles(const std::vector<std::string>& names);
    void btnLaunchFileClick();
    void btnLaunchAsStartInClick();
    void btnLaunchAsParamClick();
    void pnlButtonsResize();
    void pnlTopMiddleResize();
    // An operation with the program selector runs: the selector closing hands the
    // activation back to the main window, which must stay as it is.
    bool SelectorOperationRunning() const { return selectorOperations_ > 0; }

    platform::IPanel& pnlTopMiddle;
    platform::IEdit& edClipboard;
    platform::IButton& SpeedButton1;
    platform::IPanel& pnlButtons;
    platform::IButton& btnLaunchFile;
    platform::IButton& btnLaunchAsStartIn;
    platform::IButton& btnLaunchAsParam;

    const std::string NewShortcutsFolder;

private:
    class SelectorOperation;

    TShowFromMessage showFromMessage_;
    int selectorOperations_ = 0;
};
