#include "matching/fSearchUI.h"

#include "catalogue/PackagedApps.h"
#include "catalogue/uCPLProgramItem.h"
#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "common/CaseFolding.h"
#include "common/Text.h"
#include "matching/EntryIdentity.h"
#include "matching/SearchGeneration.h"
#include "matching/abbreviations.h"
#include "matching/patterns.h"

using platform::IListBox;
using platform::ListRow;

namespace {

// What a row's icon is found from: an applet's module icon, a packaged app's item, else
// the file the entry names (a shortcut, a Recent document's shortcut).
platform::IconSource IconSourceOf(const TProgramInfo& entry)
{
    using Kind = platform::IconSource::Kind;
    if (const auto* applet = dynamic_cast<const TCPLItem*>(&entry))
        return {Kind::ModuleIcon, applet->CplFile, applet->IconResource};
    if (const auto* app = dynamic_cast<const TPackagedAppItem*>(&entry))
        return {Kind::PackagedApp, app->AppUserModelId};
    return {Kind::File, entry.Path};
}

// One cache for the catalogue's icons while any panel lives: the selector dialog draws
// what the Launch! page has found already.
std::shared_ptr<IconCache> CatalogueIcons()
{
    static std::weak_ptr<IconCache> shared;
    std::shared_ptr<IconCache> icons = shared.lock();
    if (!icons) {
        icons = std::make_shared<IconCache>();
        // A rescan may have changed shortcuts: their icons are checked again, and no
        // answer to a question asked before it is taken.
        icons->SourcesGeneration = [] { return SearchData().Generation(); };
        shared = icons;
    }
    return icons;
}

std::string IconKeyOf(const TEntryIdentity& identity)
{
    return identity.Module.empty() ? identity.Path : identity.Module + '\n' + identity.Path;
}

} // namespace

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
      actClearAbbrev("Clear abbreviation", [this] { actClearAbbrevExecute(); }),
      icons_(CatalogueIcons())
{
    Button1.SetCaption(actGo.Caption);
    Button1.SetDefault(true);
    Button1.OnClick = [this] { actGo.Execute(); };
    Clearabbreviation1.SetCaption(actClearAbbrev.Caption);
    Clearabbreviation1.OnClick = [this] { actClearAbbrev.Execute(); };
    edLaunch.OnChange = [this] { edLaunchChange(); };
    pnlTopLeft.OnResize = [this] { pnlTopLeftResize(); };
    lbSearch.RowIcon = [this](int row) { return RowIcon(row); };
    icons_->Listen(this, [this](const std::string&) { lbSearch.RepaintIcons(); });

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
    lbSearch.RowIcon = nullptr;
    icons_->StopListening(this);
}

void TfrmSearchUI::ResetSearch()
{
    // Emptying a non-empty edit refills the list; an edit already empty would leave
    // the catalogue as it was before a rescan or reload, without its new entries.
    if (edLaunch.Text().empty() && (rowsSnapshot_ == nullptr || rowsSnapshot_->Generation != SearchData().Generation())) {
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
    searchNumber_ = NextSearchGeneration();
    index_.Refresh();
    rowsSnapshot_ = index_.Snapshot();
    TNarrowing previous = std::move(last_);
    last_ = {};

    const std::string typed = edLaunch.Text();
    if (typed.empty()) {
        ShowWholeCatalogue();
    } else {
        TSearchBlocks blocks;
        try {
            AbbrevBlockStart = 0;
            AbbrevBlockEnd = 0;
            CompileTypedPatterns(typed, RegExpr, sequenceRegExpr_);
            // A longer typed text that both matchers answer directly can only match
            // entries the shorter one matched: its prefix and its sequence narrow both.
            // The shorter text's last character must be whole in the longer one, or its
            // folded form could differ.
            const bool narrows = previous.Valid && previous.IndexVersion == index_.Version()
                && RegExpr.UsesDirectMatcher() && sequenceRegExpr_.UsesDirectMatcher()
                && typed.size() > previous.Typed.size() && typed.starts_with(previous.Typed)
                && !IsUtf8Continuation(typed[previous.Typed.size()]);
            const std::vector<std::uint32_t>* candidates = narrows ? &previous.Listed : nullptr;
            listed_.assign(index_.Rows().size(), false);
            RunPattern(RegExpr, candidates, blocks.A1, blocks.D1);
            AbbrevBlockStart = AbbrevBlockEnd;
            RunPattern(sequenceRegExpr_, candidates, blocks.A2, blocks.D2);

            if (RegExpr.UsesDirectMatcher() && sequenceRegExpr_.UsesDirectMatcher()) {
                last_.Valid = true;
                last_.Typed = typed;
                last_.IndexVersion = index_.Version();
                const auto keep = [this](std::uint32_t row) {
                    if (listed_[row])
                        last_.Listed.push_back(row);
                };
                if (candidates != nullptr) {
                    for (const std::uint32_t row : *candidates)
                        keep(row);
                } else {
                    for (std::uint32_t row = 0; row < listed_.size(); ++row)
                        keep(row);
                }
            }
        } catch (...) {
            // What was found before the failure stays listed, nothing selected.
            PlaceRows(blocks);
            throw;
        }
        PlaceRows(blocks);
    }
    if (lbSearch.Count() > 0)
        lbSearch.SetItemIndex(0);
}

void TfrmSearchUI::RunPattern(const TRegExpr& matcher, const std::vector<std::uint32_t>* candidates,
                              TAbbrevBlock& abbrevBlock, std::vector<ListRow>& textBlock)
{
    // Every entry without an abbreviation is tested on the same empty text.
    const bool emptyAbbreviationMatches = matcher.ExecFolded(std::string_view());
    if (candidates != nullptr) {
        for (const std::uint32_t row : *candidates)
            MatchItem(matcher, row, emptyAbbreviationMatches, abbrevBlock, textBlock);
        return;
    }
    const auto count = static_cast<std::uint32_t>(index_.Rows().size());
    for (std::uint32_t row = 0; row < count; ++row)
        MatchItem(matcher, row, emptyAbbreviationMatches, abbrevBlock, textBlock);
}

// An entry already listed by this search is not tested again: the outcome could
// not change where it stands, and the engine's work is the search's whole cost.
// Whether it was listed is kept beside the index (the same answer as comparing its
// MatchStamp with this search's number), so unlisted entries are never visited.
void TfrmSearchUI::MatchItem(const TRegExpr& matcher, std::uint32_t row, bool emptyAbbreviationMatches,
                             TAbbrevBlock& abbrevBlock, std::vector<ListRow>& textBlock)
{
    if (listed_[row])
        return;
    const TSearchIndex::Row& indexed = index_.Rows()[row];
    TProgramInfo& entry = *indexed.Entry;
    if (indexed.HasAbbreviation ? matcher.ExecFolded(index_.FoldedAbbreviation(indexed)) : emptyAbbreviationMatches) {
        entry.MatchStamp = searchNumber_;
        listed_[row] = true;
        abbrevBlock.Add(entry, row);
        ++AbbrevBlockEnd;
        return;
    }
    if (matcher.ExecFolded(index_.FoldedDisplayText(indexed))) {
        entry.MatchStamp = searchNumber_;
        listed_[row] = true;
        textBlock.push_back({std::string(index_.DisplayText(indexed)), row});
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

// Rows in catalogue order with the texts of Items, each row's data its position.
void TfrmSearchUI::ShowWholeCatalogue()
{
    index_.Refresh();
    rowsSnapshot_ = index_.Snapshot();
    const auto& pairs = SearchData().Items().Pairs();
    std::vector<ListRow> rows;
    rows.reserve(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i)
        rows.push_back({pairs[i].first, i});
    lbSearch.AddRows(std::move(rows));
}

void TfrmSearchUI::actGoExecute()
{
    const int row = lbSearch.ItemIndex();
    TProgramInfo* entry = SelectedEntry();
    if (entry == nullptr)
        return; // nothing selected, or the row's entry is gone
    // Taken before the owner acts: a launch may run the message loop, and with it
    // a rescan that discards the entry or a reset of this panel.
    const TEntryIdentity identity = IdentityOf(*entry);
    const std::string typed = edLaunch.Text();
    const std::uint64_t generation = SearchData().Generation();
    const std::int32_t search = searchNumber_;

    if (OnGo)
        OnGo(*this, *entry);

    if (SearchData().Generation() != generation) {
        entry = FindLiveEntry(identity);
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
    TProgramInfo* entry = SelectedEntry();
    if (entry == nullptr)
        return;
    entry->ClearAbbreviation();
    SearchData().Rebuild();
    edLaunchChange();
    SearchData().SaveAbbreviations();
}

TProgramInfo* TfrmSearchUI::SelectedEntry()
{
    const int row = lbSearch.ItemIndex();
    if (row == IListBox::NoRow || rowsSnapshot_ == nullptr)
        return nullptr;
    const std::size_t position = lbSearch.Data(row);
    if (position >= rowsSnapshot_->Entries.size())
        return nullptr;
    if (rowsSnapshot_->Generation == SearchData().Generation())
        return rowsSnapshot_->Entries[position];
    // The rows' entries may be freed: only what they stood for is safe to use.
    return FindLiveEntry(rowsSnapshot_->Identities[position]);
}

platform::IconId TfrmSearchUI::RowIcon(int row)
{
    if (rowsSnapshot_ == nullptr || row < 0 || row >= lbSearch.Count())
        return platform::GenericIcon;
    const std::size_t position = lbSearch.Data(row);
    if (position >= rowsSnapshot_->Entries.size())
        return platform::GenericIcon;
    const std::string key = IconKeyOf(rowsSnapshot_->Identities[position]);
    if (rowsSnapshot_->Generation != SearchData().Generation())
        return icons_->Known(key); // the row's entry may be freed: nothing is asked for it
    return icons_->IconFor(key, IconSourceOf(*rowsSnapshot_->Entries[position]));
}
