#include "catalogue/CatalogueItems.h"

#include <algorithm>
#include <iterator>

#include "platform/Platform.h"

namespace {

// A source that looks up each text before adding it (the Recent documents) interleaves reads
// and adds; a short tail is searched as it is rather than merged into the whole list each time.
constexpr std::size_t LinearTailLimit = 64;

bool TextLess(const TCatalogueItems::Pair& a, const TCatalogueItems::Pair& b)
{
    return platform::Locale().CompareText(a.first, b.first) < 0;
}

} // namespace

void TCatalogueItems::AddObject(const std::string& text, TProgramInfo* entry)
{
    pending_.emplace_back(text, entry);
}

const std::string& TCatalogueItems::Text(std::size_t index) const
{
    Settle();
    return sorted_.at(index).first;
}

TProgramInfo* TCatalogueItems::Entry(std::size_t index) const
{
    Settle();
    return sorted_.at(index).second;
}

const std::vector<TCatalogueItems::Pair>& TCatalogueItems::Pairs() const
{
    Settle();
    return sorted_;
}

bool TCatalogueItems::ContainsText(const std::string& text) const
{
    if (pending_.size() > LinearTailLimit)
        Settle();
    platform::ILocale& locale = platform::Locale();
    for (const Pair& pair : pending_)
        if (locale.CompareText(pair.first, text) == 0)
            return true;
    const auto found = std::lower_bound(sorted_.begin(), sorted_.end(), text, [&](const Pair& pair, const std::string& key) {
        return locale.CompareText(pair.first, key) < 0;
    });
    return found != sorted_.end() && locale.CompareText(found->first, text) == 0;
}

void TCatalogueItems::Clear()
{
    sorted_.clear();
    pending_.clear();
}

void TCatalogueItems::Settle() const
{
    if (pending_.empty())
        return;
    // Later additions stand before earlier equal ones: a stable sort of the reversed
    // additions, then a merge that takes from them first among equals.
    std::reverse(pending_.begin(), pending_.end());
    std::stable_sort(pending_.begin(), pending_.end(), TextLess);
    std::vector<Pair> merged;
    merged.reserve(sorted_.size() + pending_.size());
    std::merge(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()),
               std::make_move_iterator(sorted_.begin()), std::make_move_iterator(sorted_.end()),
               std::back_inserter(merged), TextLess);
    sorted_ = std::move(merged);
    pending_.clear();
}
