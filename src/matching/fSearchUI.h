#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "matching/AbbrevBlock.h"
#include "matching/RegExpr.h"
#include "platform/Action.h"
#include "platform/Widgets.h"

class TProgramInfo;
class TfrmSearchUI;

// Called with the panel and the entry the user picked.
using TGoEvent = std::function<void(TfrmSearchUI& sender, TProgramInfo& entry)>;

// The incremental search panel: an edit, a Go button and the list of catalogue
// entries that match the typed text, learned abbreviations first. A frame: its
// controls come from the container its host form places it in.
class TfrmSearchUI {
public:
    explicit TfrmSearchUI(platform::IContainer& frame);
    ~TfrmSearchUI();
    TfrmSearchUI(const TfrmSearchUI&) = delete;
    TfrmSearchUI& operator=(const TfrmSearchUI&) = delete;

    // Empties the edit and focuses it; a non-empty edit's change refills the list.
    void ResetSearch();
    // The host's key preview: moves the focus between the edit and the list.
    void RouteKey(int key);

    void edLaunchChange();
    void actGoExecute();
    void actClearAbbrevExecute();
    void pnlTopLeftResize();

    platform::IPanel& pnlTopLeft;
    platform::IEdit& edLaunch;
    platform::IButton& Button1;
    platform::IListBox& lbSearch;
    platform::IMenuItem& Clearabbreviation1;
    platform::TAction actGo;
    platform::TAction actClearAbbrev;

    TRegExpr RegExpr;
    // List indexes of the abbreviation block being filled and just past its rows.
    int AbbrevBlockStart = 0;
    int AbbrevBlockEnd = 0;
    TGoEvent OnGo;

private:
    struct TSearchBlocks;

    void RunPattern(const std::string& pattern, TAbbrevBlock& abbrevBlock, std::vector<platform::ListRow>& textBlock);
    void MatchItem(TProgramInfo& entry, TAbbrevBlock& abbrevBlock, std::vector<platform::ListRow>& textBlock);
    void PlaceRows(TSearchBlocks& blocks);
    void ShowWholeCatalogue();

    void lbSearchSelect();
    void SelectRow(int row);
    // The selected row's entry, checked against the catalogue as it is now; null
    // when nothing is selected or the entry is gone.
    TProgramInfo* SelectedEntry();
    // The catalogue's live entry with this path, if any.
    static TProgramInfo* LiveEntry(const std::string& path);

    std::int32_t searchNumber_ = 0;
    // The catalogue generation the rows were taken from: their entries are alive while it holds.
    std::uint64_t rowsGeneration_ = 0;
    // The Path of the selected row's entry, taken while the entry was known alive.
    std::optional<std::string> selectedPath_;
};
