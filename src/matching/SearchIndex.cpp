#include "matching/SearchIndex.h"

#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "common/CaseFolding.h"
#include "matching/abbreviations.h"

void TSearchIndex::Refresh()
{
    TSearchData& catalogue = SearchData();
    const std::uint64_t revision = catalogue.Abbreviations().Revision();
    const bool sameEntries = snapshot_ != nullptr && snapshot_->Generation == catalogue.Generation();
    if (sameEntries && revision_ == revision)
        return;

    const auto& pairs = catalogue.Items().Pairs();
    if (!sameEntries) {
        auto snapshot = std::make_shared<TSnapshot>();
        snapshot->Generation = catalogue.Generation();
        snapshot->Entries.reserve(pairs.size());
        snapshot->Identities.reserve(pairs.size());
        for (const auto& pair : pairs) {
            snapshot->Entries.push_back(pair.second);
            snapshot->Identities.push_back(IdentityOf(*pair.second));
        }
        snapshot_ = std::move(snapshot);
    }

    rows_.clear();
    rows_.reserve(pairs.size());
    texts_.clear();
    folded_.clear();
    for (const auto& pair : pairs) {
        TProgramInfo* entry = pair.second;
        // The entry's display text as it is now, not the list's snapshot: that is what a search matches.
        const std::string text = entry->DisplayText();
        Row row{entry, static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size()),
                static_cast<std::uint32_t>(folded_.size()), 0, 0, !entry->Abbreviation.empty()};
        texts_ += text;
        AppendFoldedCase(text, folded_);
        row.FoldedLength = static_cast<std::uint32_t>(folded_.size() - row.FoldedStart);
        AppendFoldedCase(entry->Abbreviation, folded_);
        row.FoldedAbbreviationLength = static_cast<std::uint32_t>(folded_.size() - row.FoldedStart - row.FoldedLength);
        rows_.push_back(row);
    }
    revision_ = revision;
    ++version_;
}
