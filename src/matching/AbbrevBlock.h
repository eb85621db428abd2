#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Widgets.h"

class TProgramInfo;

// The rows of one abbreviation block of a search. Entries arrive in catalogue
// order; the block lists them by abbreviation (ordinal, case-sensitive), equal
// abbreviations in the order they arrived. Gathering first and ordering once
// keeps a block of every catalogue entry at O(n log n) instead of the O(n^2) of
// inserting each row into place.
class TAbbrevBlock {
public:
    // The entry and the row data that stands for it (its catalogue position).
    void Add(TProgramInfo& entry, std::uintptr_t data) { entries_.emplace_back(&entry, data); }
    int Count() const { return static_cast<int>(entries_.size()); }
    // The block's rows in list order, each with the entry's display text; the block is empty afterwards.
    std::vector<platform::ListRow> TakeRows();

private:
    std::vector<std::pair<TProgramInfo*, std::uintptr_t>> entries_;
};
