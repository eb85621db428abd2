#include "matching/AbbrevBlock.h"

#include <algorithm>

#include "catalogue/uProgramInfo.h"
#include "common/Text.h"

std::vector<platform::ListRow> TAbbrevBlock::TakeRows()
{
    std::stable_sort(entries_.begin(), entries_.end(), [](const TProgramInfo* a, const TProgramInfo* b) {
        return CompareOrdinal(a->Abbreviation, b->Abbreviation) < 0;
    });
    std::vector<platform::ListRow> rows;
    rows.reserve(entries_.size());
    for (TProgramInfo* entry : entries_)
        rows.push_back({entry->DisplayText(), EntryRowData(entry)});
    entries_.clear();
    return rows;
}

std::uintptr_t EntryRowData(TProgramInfo* entry)
{
    return reinterpret_cast<std::uintptr_t>(entry);
}

TProgramInfo* RowEntry(std::uintptr_t data)
{
    return reinterpret_cast<TProgramInfo*>(data);
}
