#include "config/PlacementStore.h"

#include <charconv>

#include "common/Exception.h"
#include "common/Text.h"
#include "platform/Platform.h"

TPlacementStore::TPlacementStore(const std::string& iniFileName, const std::string& section, Access access)
{
    auto& registry = platform::Registry();
    const std::string path = iniFileName + "\\" + section;
    if (access == Access::Write) {
        key_ = registry.OpenOrCreateKey(path);
        return;
    }
    try {
        registry.OpenOrCreateKey(iniFileName);
    } catch (const platform::ERegistry&) {
        return; // only reading follows: a store that cannot be made holds nothing
    }
    // Nothing stored yet, or not readable: every value takes its default.
    key_ = registry.OpenExistingKey(path);
}

std::string TPlacementStore::ReadString(const std::string& name) const
{
    if (!key_)
        return {};
    return key_->ReadString(name).value_or(std::string());
}

int TPlacementStore::ReadInteger(const std::string& name, int defaultValue) const
{
    return StrToIntDef(ReadString(name), defaultValue);
}

void TPlacementStore::WriteString(const std::string& name, const std::string& value)
{
    try {
        key_->WriteString(name, value);
    } catch (const platform::ERegistry&) {
        throw Exception("Failed to set data for '" + name + "'");
    }
}

int StrToIntDef(const std::string& text, int defaultValue)
{
    std::string number = TrimControlAndBlank(text);
    if (number.size() > 1 && number[0] == '+' && number[1] != '-')
        number.erase(0, 1);
    int value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc() || stop != end)
        return defaultValue;
    return value;
}
