#pragma once
#include "platform/Locale.h"

namespace platform::win32 {

class Locale : public ILocale {
public:
    int CompareText(const std::string& a, const std::string& b) override;
};

} // namespace platform::win32
