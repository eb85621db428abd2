#include "additems/AddItemsPage.h"

#include "additems/MakeShortcut.h"
#include "catalogue/uProgramInfo.h"
#include "matching/fSelector.h"
#include "platform/Platform.h"

TAddItemsPage::TAddItemsPage(platform::IContainer& page, std::string newShortcutsFolder,
                             TShowFromMessage showFromMessage)
    : pnlTopMiddle(page.Panel("pnlTopMiddle")), edClipboard(page.Edit("edClipboard")),
      SpeedButton1(page.Button("SpeedButton1")), pnlButtons(page.Panel("pnlButtons")),
      btnLaunchFile(page.Button("btnLaunchFile")), btnLaunchAsStartIn(page.Button("btnLaunchAsStartIn")),
      btnLaunchAsParam(page.Button("btnLaunchAsParam")), NewShortcutsFolder(std::move(newShortcutsFolder)),
      showFromMessage_(std::move(showFromMessage))
{
    SpeedButton1.SetCaption("&Browse");
    btnLaunchFile.SetCaption("&1.  Launch this file / open directory with Windows explorer.");
    btnLaunchAsStartIn.SetCaption("&2.  Launch another program that starts in this directory.");
    btnLaunchAsParam.SetCaption("&3.  Launch another program with this as a command-line parameter.");
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    btnLaunchFile.OnClick = [this] { btnLaunchFileClick(); };
    btnLaunchAsStartIn.OnClick = [this] { btnLaunchAsStartInClick(); };
    btnLaunchAsParam.OnClick = [this] { btnLaunchAsParamClick(); };
    pnlButtons.OnResize = [this] { pnlButtonsResize(); };
    pnlTopMiddle.OnResize = [this] { pnlTopMiddleResize(); };
}

class TAddItemsPage::SelectorOperation {
public:
    explicit SelectorOperation(TAddItemsPage& page) : page_(page) { ++page_.selectorOperations_; }
    ~SelectorOperation() { --page_.selectorOperations_; }
    SelectorOperation(const SelectorOperation&) = delete;
    SelectorOperation& operator=(const SelectorOperation&) = delete;

private:
    TAddItemsPage& page_;
};

void TAddItemsPage::tsAddItemsShow()
{
    edClipboard.SetText(platform::Clipboard().Text());
}

void TAddItemsPage::SpeedButton1Click()
{
    if (const auto picked = platform::FileDialogs().OpenFile())
        edClipboard.SetText(*picked);
}

void TAddItemsPage::StDropFiles1DropFiles(const std::vector<std::string>& names)
{
    if (!names.empty() && showFromMessage_)
        showFromMessage_(names.front());
}

void TAddItemsPage::btnLaunchFileClick()
{
    const std::string text = edClipboard.Text();
    MakeShortcut(NewShortcutsFolder, text, text, "", "");
}

namespace {

// The program the user picks in the selector; null when the dialog was cancelled or the
// entry left the catalogue before the dialog had closed.
const TProgramInfo* PickProgram()
{
    TEntryIdentity picked;
    return SelectProgram(picked) ? FindLiveEntry(picked) : nullptr;
}

} // namespace

void TAddItemsPage::btnLaunchAsStartInClick()
{
    const SelectorOperation running(*this);
    if (const TProgramInfo* program = PickProgram()) {
        const std::string text = edClipboard.Text();
        MakeShortcut(NewShortcutsFolder, text, program->Path, text, "");
    }
}

void TAddItemsPage::btnLaunchAsParamClick()
{
    const SelectorOperation running(*this);
    if (const TProgramInfo* program = PickProgram()) {
        const std::string text = edClipboard.Text();
        MakeShortcut(NewShortcutsFolder, text, program->Path, "", text);
    }
}

// The buttons' heights never change, so their tops (5, then 4 apart) stay as designed.
void TAddItemsPage::pnlButtonsResize()
{
    btnLaunchFile.SetWidth(pnlButtons.Width() - 8);
    btnLaunchAsStartIn.SetWidth(btnLaunchFile.Width());
    btnLaunchAsParam.SetWidth(btnLaunchFile.Width());
}

void TAddItemsPage::pnlTopMiddleResize()
{
    edClipboard.SetWidth(pnlTopMiddle.Width() - 12);
}
