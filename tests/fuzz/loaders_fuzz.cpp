// Any registry content under the settings key and the abbreviations key: loading
// the settings and the learned abbreviations must end, without a crash and without
// any error but the system's own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Exception.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "platform/headless/Simulator.h"

namespace {

using platform::headless::RegValue;

// Reads the input as a little program of registry writes.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Text()
    {
        const std::size_t length = Byte() % 24;
        std::string text;
        for (std::size_t n = 0; n < length && More(); ++n)
            text += static_cast<char>(Byte());
        return text;
    }
    std::uint32_t Number()
    {
        std::uint32_t value = 0;
        for (int n = 0; n < 4; ++n)
            value = value << 8 | Byte();
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Mostly the names the loaders look for, so that their values are reached.
std::string ValueName(Reader& input)
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = {"Count", "Abbrev0", "Path0", "Abbrev1", "Path1", "Abbrev2", "Path2"};
        for (const TSetting& setting : Settings)
            all.emplace_back(setting.Name);
        return all;
    }();
    const std::uint8_t pick = input.Byte();
    if (pick < names.size())
        return names[pick];
    return pick % 2 == 0 ? "Abbrev" + std::to_string(input.Number() % 1000) : "Path" + std::to_string(input.Number() % 1000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto& sim = platform::headless::InstallSimulator();
    Reader input(data, size);
    std::vector<std::string> denied;
    while (input.More()) {
        const std::uint8_t op = input.Byte();
        const std::string key = (op & 1) != 0 ? AbbreviationsKey : SettingsKey;
        const std::string name = ValueName(input);
        switch ((op >> 1) % 4) {
        case 0: sim.registry.SetValue(key, name, RegValue::Dword(input.Number())); break;
        case 1: sim.registry.SetValue(key, name, RegValue::Sz(input.Text())); break;
        case 2: sim.registry.SetValue(key, name, RegValue::ExpandSz(input.Text())); break;
        default: sim.registry.SetValue(key, name, RegValue::Binary(input.Text())); break;
        }
        if ((op & 0x80) != 0)
            denied.push_back(key); // after the writes: a denied key takes none
    }
    for (const std::string& key : denied)
        sim.registry.DenyKey(key);
    try {
        TConfig settings;
        settings.Load();
        TAbbrevInfos abbreviations;
        abbreviations.LoadFromRegistry();
        if (abbreviations.Count() > 1000)
            std::abort(); // never more records than values
    } catch (const Exception&) {
        // the system's own errors are fine, a key the user may not open among them
    }
    platform::Install(nullptr);
    return 0;
}
