#pragma once
#include <string>

#include "platform/Locale.h"

namespace platform::headless {

// Orders texts the way the user's locale does for the tests' purposes: letters
// compared without case (ASCII), then byte order.
class Locale : public ILocale {
public:
    int CompareText(const std::string& a, const std::string& b) override;
};

} // namespace platform::headless
