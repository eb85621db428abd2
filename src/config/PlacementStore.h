#pragma once
#include <memory>
#include <string>

#include "platform/Registry.h"

// One form's section of the placement store: REG_SZ values read and written by name.
class TPlacementStore {
public:
    enum class Access { Read, Write };
    TPlacementStore(const std::string& iniFileName, const std::string& section, Access access);

    // The stored text; empty when the value is missing, not a string, or nothing is stored.
    std::string ReadString(const std::string& name) const;
    // The stored number, or the default when the text is not a decimal number.
    int ReadInteger(const std::string& name, int defaultValue) const;
    // Throws Exception("Failed to set data for '<name>'") when the value cannot be written.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, long long value) { WriteString(name, std::to_string(value)); }

private:
    std::unique_ptr<platform::IRegistryKey> key_;
};

// A decimal number with an optional sign, blanks around it allowed; the default otherwise.
int StrToIntDef(const std::string& text, int defaultValue);
