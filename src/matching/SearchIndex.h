#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "matching/EntryIdentity.h"

class TProgramInfo;

// The catalogue's display texts and abbreviations copied, in catalogue order, into one
// block of memory, as shown and as case-folded for matching, so that a keystroke reads
// memory front to back instead of visiting every entry's own strings. Taken afresh
// whenever the catalogue's list or any abbreviation has changed.
class TSearchIndex {
public:
    struct Row {
        TProgramInfo* Entry = nullptr;
        std::uint32_t Start = 0;  // display text in texts_
        std::uint32_t Length = 0;
        std::uint32_t FoldedStart = 0; // folded display text, then folded abbreviation, in folded_
        std::uint32_t FoldedLength = 0;
        std::uint32_t FoldedAbbreviationLength = 0;
        bool HasAbbreviation = false;
    };

    // The entries of one state of the catalogue by position, with what each stands for:
    // rows placed from it resolve their entry through it after the catalogue has changed.
    struct TSnapshot {
        std::uint64_t Generation = 0;
        std::vector<TProgramInfo*> Entries;
        std::vector<TEntryIdentity> Identities;
    };

    // Brings the copy up to date with the catalogue (SearchData).
    void Refresh();
    // Moves on whenever Refresh took a new copy.
    std::uint64_t Version() const { return version_; }
    const std::shared_ptr<const TSnapshot>& Snapshot() const { return snapshot_; }

    const std::vector<Row>& Rows() const { return rows_; }
    std::string_view DisplayText(const Row& row) const { return {texts_.data() + row.Start, row.Length}; }
    std::string_view FoldedDisplayText(const Row& row) const
    {
        return {folded_.data() + row.FoldedStart, row.FoldedLength};
    }
    std::string_view FoldedAbbreviation(const Row& row) const
    {
        return {folded_.data() + row.FoldedStart + row.FoldedLength, row.FoldedAbbreviationLength};
    }

private:
    std::vector<Row> rows_;
    std::string texts_;
    std::string folded_;
    std::shared_ptr<const TSnapshot> snapshot_;
    std::uint64_t revision_ = 0;
    std::uint64_t version_ = 0;
};
