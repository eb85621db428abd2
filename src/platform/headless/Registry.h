#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/Registry.h"
#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

enum class RegType { Dword, Sz, ExpandSz, Binary };

struct RegValue {
    RegType Type = RegType::Sz;
    std::uint32_t Number = 0;
    std::string Text;

    static RegValue Dword(std::uint32_t n) { return {RegType::Dword, n, {}}; }
    static RegValue Sz(std::string s) { return {RegType::Sz, 0, std::move(s)}; }
    static RegValue ExpandSz(std::string s) { return {RegType::ExpandSz, 0, std::move(s)}; }
    static RegValue Binary(std::string bytes) { return {RegType::Binary, 0, std::move(bytes)}; }
};

// An in-memory HKEY_CURRENT_USER with typed values.
class Registry : public IRegistry {
public:
    using Values = std::map<std::string, RegValue, CaseInsensitiveLess>;

    std::unique_ptr<IRegistryKey> OpenExistingKey(const std::string& path) override;
    std::unique_ptr<IRegistryKey> OpenOrCreateKey(const std::string& path) override;

    // Test access.
    void SetValue(const std::string& keyPath, const std::string& name, RegValue value);
    const RegValue* FindValue(const std::string& keyPath, const std::string& name) const;
    bool KeyExists(const std::string& keyPath) const;
    // A denied key cannot be opened or created, as with missing access rights.
    void DenyKey(const std::string& keyPath) { denied_.insert(Normalise(keyPath)); }
    // Every write to a value of this name fails, as with a full or locked hive.
    void FailWritesTo(const std::string& valueName) { failingWrites_.insert(valueName); }

    static std::string Normalise(const std::string& keyPath);
    Values& ValuesOf(const std::string& normalisedPath) { return keys_[normalisedPath]; }
    bool WriteFails(const std::string& valueName) const { return failingWrites_.count(valueName) != 0; }

private:
    std::map<std::string, Values, CaseInsensitiveLess> keys_;
    std::set<std::string, CaseInsensitiveLess> denied_;
    std::set<std::string, CaseInsensitiveLess> failingWrites_;
};

} // namespace platform::headless
