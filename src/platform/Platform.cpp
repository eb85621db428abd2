#include "platform/Platform.h"

#include <stdexcept>

namespace platform {

namespace {
std::unique_ptr<Platform>& Installed()
{
    static std::unique_ptr<Platform> installed;
    return installed;
}
} // namespace

void Install(std::unique_ptr<Platform> platform)
{
    Installed() = std::move(platform);
}

Platform& Current()
{
    if (!Installed())
        throw std::logic_error("no platform installed");
    return *Installed();
}

bool LocaleTextLess::operator()(const std::string& a, const std::string& b) const
{
    return Locale().CompareText(a, b) < 0;
}

} // namespace platform
