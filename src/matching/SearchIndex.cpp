#include "matching/SearchIndex.h"

#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "matching/abbreviations.h"

void TSearchIndex::Refresh()
{
    TSearchData& catalogue = SearchData();
    const std::uint64_t revision = catalogue.Abbreviations().Revision();
    if (taken_ && generation_ == catalogue.Generation() && revision_ == revision)
        return;

    const auto& pairs = catalogue.Items().Pairs();
    rows_.clear();
    rows_.reserve(pairs.size());
    texts_.clear();
    for (const auto& pair : pairs) {
        TProgramInfo* entry = pair.second;
        // The entry's display text as it is now, not the list's snapshot: that is what a search matches.
        const std::string text = entry->DisplayText();
        rows_.push_back({entry, static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size()),
                         !entry->Abbreviation.empty()});
        texts_ += text;
    }
    taken_ = true;
    generation_ = catalogue.Generation();
    revision_ = revision;
}
