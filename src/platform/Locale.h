#pragma once
#include <string>

namespace platform {

// The user's locale-aware, case-insensitive comparison that orders every sorted list.
class ILocale {
public:
    virtual ~ILocale() = default;
    // Negative, zero or positive as a sorts before, with or after b.
    virtual int CompareText(const std::string& a, const std::string& b) = 0;
};

// Strict weak order for sorted containers keyed by text.
struct LocaleTextLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

} // namespace platform
