#include "platform/headless/Locale.h"

#include <algorithm>

namespace platform::headless {

int Locale::CompareText(const std::string& a, const std::string& b)
{
    // Folds byte by byte instead of copying both texts: sorting a large catalogue calls this
    // millions of times. Same order as comparing the folded copies (unsigned bytes, then length).
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = fold(a[i]), y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace platform::headless
