#include "matching/fSearchUI.h"

#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "common/Text.h"
#include "matching/SearchGeneration.h"
#include "matching/abbreviations.h"
#include "matching/patterns.h"

using platform::IListBox;
using platform::ListRow;

// One search's rows by block; listed A1, A2, D1, D2.
struct TfrmSearchUI::TSearchBlocks {
    TAbbrevBlock A1, A2;
    std::vector<ListRow> D1, D2;
};

TfrmSearchUI::TfrmSearchUI(platform::IContainer& frame)
    : pnlTopLeft(frame.Panel("pnlTopLeft")),
      edLaunch(frame.Edit("edLaunch")),
      Button1(frame.Button("Button1")),
      lbSearch(frame.ListBox("lbSearch")),
      Clearabbreviation1(frame.MenuItem("Clearabbreviation1")),
      actGo("&Go!", [this] { actGoExecute(); }),
      actClearAbbrev("Clear abbreviation", [this] { actClearAbbrevExecute(); })
{
    Button1.SetCaption(actGo.Caption);
    Button1.SetDefault(true);
    Button1.OnClick = [this] { actGo.Execute(); };
    Clearabbreviation1.SetCaption(actClearAbbrev.Caption);
    Clearabbreviation1.OnClick = [this] { actClearAbbrev.Execute(); };
    edLaunch.OnChange = [this] { edLaunchChange(); };
    pnlTopLeft.OnResize = [this] { pnlTopLeftResize(); };
    lbSearch.OnSelect = [this] { lbSearchSelect(); };

    platform::ListUpdate update(lbSearch);
    lbSearch.Clear();
    ShowWholeCatalogue();
}

TfrmSearchUI::~TfrmSearchUI()
{
    // The controls belong to the host form and may outlive the panel.
    Button1.OnClick = nullptr;
    Clearabbreviation1.OnClick = nullptr;
    edLaunch.OnChange = nullptr;
    pnlTopLeft.OnResize = nullptr;
    lbSearch.OnSelect = nullptr;
}

void TfrmSearchUI::ResetSearch()
{
    // Emptying a non-empty edit refills the list; an edit already empty would leave
    // the catalogue as it was before a rescan or reload, without its new entries.
    if (edLaunch.Text().empty() && rowsGeneration_ != SearchData().Generation()) {
        platform::ListUpdate update(lbSearch);
        lbSearch.Clear();
        ShowWholeCatalogue();
    }
    edLaunch.SetText("");
    edLaunch.SetFocus();
}

void TfrmSearchUI::RouteKey(int key)
{
    switch (key) {
    case platform::vk::Tab:
    case platform::vk::PageUp:
    case platform::vk::PageDown:
    case platform::vk::Up:
    case platform::vk::Down:
        if (lbSearch.Focused())
            return;
        lbSearch.SetFocus();
        lbSearch.KeyDown(key);
        return;
    default:
        if (!edLaunch.Focused())
            edLaunch.SetFocus();
    }
}

void TfrmSearchUI::pnlTopLeftResize()
{
    edLaunch.SetWidth(pnlTopLeft.Width() - 8);
}

void TfrmSearchUI::edLaunchChange()
{
    platform::ListUpdate update(lbSearch);
    lbSearch.Clear();
    selectedPath_.reset();
    searchNumber_ = NextSearchGeneration();
    rowsGeneration_ = SearchData().Generation();

    const std::string typed = edLaunch.Text();
    if (typed.empty()) {
        ShowWholeCatalogue();
    } else {
        TSearchBlocks blocks;
        try {
            AbbrevBlockStart = 0;
            AbbrevBlockEnd = 0;
            index_.Refresh();
            listed_.assign(index_.Rows().size(), false);
            RunPattern(AnchoredPattern(typed), blocks.A1, blocks.D1);
            AbbrevBlockStart = AbbrevBlockEnd;
            RunPattern(SequencePattern(typed), blocks.A2, blocks.D2);
        } catch (...) {
            // What was found before the failure stays listed, nothing selected.
            PlaceRows(blocks);
            throw;
        }
        PlaceRows(blocks);
    }
    if (lbSearch.Count() > 0)
        SelectRow(0);
}

void TfrmSearchUI::RunPattern(const std::string& pattern, TAbbrevBlock& abbrevBlock, std::vector<ListRow>& textBlock)
{
    RegExpr.Expression = pattern;
    RegExpr.ModifierI = true;
    RegExpr.Compile();
    const auto& rows = index_.Rows();
    // Every entry without an abbreviation is tested on the same empty text.
    const bool emptyAbbreviationMatches = RegExpr.Exec(std::string_view());
    for (std::size_t i = 0; i < rows.size(); ++i)
        MatchItem(i, emptyAbbreviationMatches, abbrevBlock, textBlock);
}

// An entry already listed by this search is not tested again: the outcome could
// not change where it stands, and the engine's work is the search's whole cost.
// Whether it was listed is kept beside the index (the same answer as comparing its
// MatchStamp with this search's number), so unlisted entries are never visited.
void TfrmSearchUI::MatchItem(std::size_t row, bool emptyAbbreviationMatches, TAbbrevBlock& abbrevBlock,
                             std::vector<ListRow>& textBlock)
{
    if (listed_[row])
        return;
    const TSearchIndex::Row& indexed = index_.Rows()[row];
    TProgramInfo& entry = *indexed.Entry;
    if (indexed.HasAbbreviation ? RegExpr.Exec(entry.Abbreviation) : emptyAbbreviationMatches) {
        entry.MatchStamp = searchNumber_;
        listed_[row] = true;
        abbrevBlock.Add(entry);
        ++AbbrevBlockEnd;
        return;
    }
    const std::string_view text = index_.DisplayText(indexed);
    if (RegExpr.Exec(text)) {
        entry.MatchStamp = searchNumber_;
        listed_[row] = true;
        textBlock.push_back({std::string(text), EntryRowData(&entry)});
    }
}

void TfrmSearchUI::PlaceRows(TSearchBlocks& blocks)
{
    std::vector<ListRow> a1 = blocks.A1.TakeRows();
    std::vector<ListRow> a2 = blocks.A2.TakeRows();
    std::vector<ListRow> rows;
    rows.reserve(a1.size() + a2.size() + blocks.D1.size() + blocks.D2.size());
    for (std::vector<ListRow>* block : {&a1, &a2, &blocks.D1, &blocks.D2})
        rows.insert(rows.end(), std::make_move_iterator(block->begin()), std::make_move_iterator(block->end()));
    lbSearch.AddRows(std::move(rows));
}

void TfrmSearchUI::ShowWholeCatalogue()
{
    rowsGeneration_ = SearchData().Generation();
    const auto& pairs = SearchData().Items().Pairs();
    std::vector<ListRow> rows;
    rows.reserve(pairs.size());
    for (const auto& [text, entry] : pairs)
        rows.push_back({text, EntryRowData(entry)});
    lbSearch.AddRows(std::move(rows));
}

void TfrmSearchUI::actGoExecute()
{
    const int row = lbSearch.ItemIndex();
    if (row == IListBox::NoRow)
        return;
    TProgramInfo* entry = SelectedEntry();
    if (entry == nullptr) {
        // The picked entry went with a rescan: show what the catalogue holds now.
        edLaunchChange();
        return;
    }
    // Taken before the owner acts: a launch may run the message loop, and with it
    // a rescan that discards the entry or a reset of this panel.
    const std::string path = entry->Path;
    const std::string typed = edLaunch.Text();
    const std::uint64_t generation = SearchData().Generation();
    const std::int32_t search = searchNumber_;

    if (OnGo)
        OnGo(*this, *entry);

    if (SearchData().Generation() != generation) {
        entry = LiveEntry(path);
        if (entry == nullptr)
            return;
    }
    if (entry->Abbreviation == typed)
        return;
    entry->Abbreviation = TrimControlAndBlank(AsciiLowerCase(typed));
    SearchData().Abbreviations().SetAbbrev(*entry);
    if (searchNumber_ == search && row < lbSearch.Count())
        lbSearch.SetText(row, entry->DisplayText());
    SearchData().SaveAbbreviations();
}

void TfrmSearchUI::actClearAbbrevExecute()
{
    if (lbSearch.ItemIndex() == IListBox::NoRow)
        return;
    TProgramInfo* entry = SelectedEntry();
    if (entry == nullptr) {
        edLaunchChange();
        return;
    }
    entry->ClearAbbreviation();
    SearchData().Rebuild();
    edLaunchChange();
    SearchData().SaveAbbreviations();
}

void TfrmSearchUI::lbSearchSelect()
{
    SelectRow(lbSearch.ItemIndex());
}

void TfrmSearchUI::SelectRow(int row)
{
    lbSearch.SetItemIndex(row);
    selectedPath_.reset();
    if (row != IListBox::NoRow && rowsGeneration_ == SearchData().Generation())
        selectedPath_ = RowEntry(lbSearch.Data(row))->Path;
}

TProgramInfo* TfrmSearchUI::SelectedEntry()
{
    const int row = lbSearch.ItemIndex();
    if (row == IListBox::NoRow)
        return nullptr;
    if (rowsGeneration_ == SearchData().Generation())
        return RowEntry(lbSearch.Data(row));
    // The rows' entries may be freed: only the path taken earlier is safe to use.
    return selectedPath_ ? LiveEntry(*selectedPath_) : nullptr;
}

TProgramInfo* TfrmSearchUI::LiveEntry(const std::string& path)
{
    for (const auto& [text, entry] : SearchData().Items().Pairs())
        if (entry->Path == path)
            return entry;
    return nullptr;
}
