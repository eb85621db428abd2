#include "catalogue/SortedItems.h"

#include "platform/Platform.h"

std::size_t TSortedItems::LowerBound(const std::string& text) const
{
    platform::ILocale& locale = platform::Locale();
    std::size_t low = 0, high = items_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (locale.CompareText(items_[middle].first, text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void TSortedItems::AddObject(const std::string& text, TProgramInfo* entry)
{
    items_.emplace(items_.begin() + static_cast<std::ptrdiff_t>(LowerBound(text)), text, entry);
}

std::size_t TSortedItems::Find(const std::string& text) const
{
    const std::size_t at = LowerBound(text);
    if (at < items_.size() && platform::Locale().CompareText(items_[at].first, text) == 0)
        return at;
    return npos;
}
