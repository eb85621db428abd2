#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "matching/AbbrevBlock.h"
#include "matching/IconCache.h"
#include "matching/RegExpr.h"
#include "matching/SearchIndex.h"
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

    // The anchored pattern's matcher; the sequence pattern has its own, as both are
    // compiled before a search to learn whether the typed text is a valid pattern.
    TRegExpr RegExpr;
    // List indexes of the abbreviation block being filled and just past its rows.
    int AbbrevBlockStart = 0;
    int AbbrevBlockEnd = 0;
    TGoEvent OnGo;

private:
    struct TSearchBlocks;

    void RunPattern(const TRegExpr& matcher, const std::vector<std::uint32_t>* candidates, TAbbrevBlock& abbrevBlock,
                    std::vector<platform::ListRow>& textBlock);
    void MatchItem(const TRegExpr& matcher, std::uint32_t row, bool emptyAbbreviationMatches,
                   TAbbrevBlock& abbrevBlock, std::vector<platform::ListRow>& textBlock);
    void PlaceRows(TSearchBlocks& blocks);
    void ShowWholeCatalogue();

    // The icon drawn at the start of a row.
    platform::IconId RowIcon(int row);

    // The selected row's entry, found again through its identity when the catalogue
    // has changed since the rows were placed; null when nothing is selected or the entry is gone.
    TProgramInfo* SelectedEntry();

    TRegExpr sequenceRegExpr_;
    std::int32_t searchNumber_ = 0;
    TSearchIndex index_;
    // Rows of the index listed by the current search.
    std::vector<bool> listed_;
    // The catalogue state the rows were placed from; each row's data is its position in it.
    std::shared_ptr<const TSearchIndex::TSnapshot> rowsSnapshot_;

    // The rows' icons, by what each entry stands for, shared by every search panel alive;
    // checked again once the catalogue has changed.
    std::shared_ptr<IconCache> icons_;

    // The last search, while a longer typed text can only narrow it: the typed text,
    // the index version searched, and the rows it listed in catalogue order.
    struct TNarrowing {
        bool Valid = false;
        std::string Typed;
        std::uint64_t IndexVersion = 0;
        std::vector<std::uint32_t> Listed;
    } last_;
};
