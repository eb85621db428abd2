#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/SortedItems.h"

// The catalogue's sorted list, built for whole refills: pairs are collected as the sources
// add them and sorted once, when the list is next read, in O(n log n) rather than by a
// sorted insert per pair. The order is that of a sorted insert: by text with the user's
// locale-aware, case-insensitive comparison, equal texts all kept, the one added last first.
class TCatalogueItems : public TItemList {
public:
    using Pair = std::pair<std::string, TProgramInfo*>;

    void AddObject(const std::string& text, TProgramInfo* entry) override;
    std::size_t Count() const override { return sorted_.size() + pending_.size(); }
    const std::string& Text(std::size_t index) const override;
    TProgramInfo* Entry(std::size_t index) const override;
    bool ContainsText(const std::string& text) const override;

    void Clear();
    // All pairs in order.
    const std::vector<Pair>& Pairs() const;

private:
    // Sorts the pairs added since the last read into the sorted ones.
    void Settle() const;

    // Reading settles; the list stays logically the same, so the reads are const.
    mutable std::vector<Pair> sorted_;
    mutable std::vector<Pair> pending_; // in the order added
};
