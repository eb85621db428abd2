#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TProgramInfo;

// The catalogue's display texts copied, in catalogue order, into one block of memory,
// so that a keystroke reads memory front to back instead of visiting every entry's own
// strings. Taken afresh whenever the catalogue's list or any abbreviation has changed.
class TSearchIndex {
public:
    struct Row {
        TProgramInfo* Entry = nullptr;
        std::uint32_t Start = 0;
        std::uint32_t Length = 0;
        bool HasAbbreviation = false;
    };

    // Brings the copy up to date with the catalogue (SearchData).
    void Refresh();

    const std::vector<Row>& Rows() const { return rows_; }
    std::string_view DisplayText(const Row& row) const { return {texts_.data() + row.Start, row.Length}; }

private:
    std::vector<Row> rows_;
    std::string texts_;
    bool taken_ = false;
    std::uint64_t generation_ = 0;
    std::uint64_t revision_ = 0;
};
