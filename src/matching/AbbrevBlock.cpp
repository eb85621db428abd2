#include "matching/AbbrevBlock.h"

#include <algorithm>

#include "catalogue/uProgramInfo.h"
#include "common/Text.h"

std::vector<platform::ListRow> TAbbrevBlock::TakeRows()
{
    std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
        return CompareOrdinal(a.first->Abbreviation, b.first->Abbreviation) < 0;
    });
    std::vector<platform::ListRow> rows;
    rows.reserve(entries_.size());
    for (const auto& [entry, data] : entries_)
        rows.push_back({entry->DisplayText(), data});
    entries_.clear();
    return rows;
}
