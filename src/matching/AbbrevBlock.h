#pragma once
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
    void Add(TProgramInfo& entry) { entries_.push_back(&entry); }
    int Count() const { return static_cast<int>(entries_.size()); }
    // The block's rows in list order; the block is empty afterwards.
    std::vector<platform::ListRow> TakeRows();

private:
    std::vector<TProgramInfo*> entries_;
};

// A row's reference to a catalogue entry, and back.
std::uintptr_t EntryRowData(TProgramInfo* entry);
TProgramInfo* RowEntry(std::uintptr_t data);
