#pragma once
#include <string>

#include "RegistryContract.h"
#include "SimulatedPlatform.h"

namespace contract {

// A fresh simulator's registry.
class SimulatedRegistry : public SimulatedPlatform {
public:
    std::string KeyPath() const { return "\\Software\\Morrowfield\\ZephyrixTests"; }
    // A text's terminating zero is the registry's, not the text's. The simulator has no
    // REG_QWORD: eight bytes of binary stand for it.
    void SetRaw(const char* name, RawType type, std::string bytes)
    {
        using platform::headless::RegValue;
        const bool text = type == RawType::Sz || type == RawType::ExpandSz;
        if (text && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        RegValue value = type == RawType::Dword     ? RegValue::Dword(static_cast<unsigned char>(bytes.at(0)))
                         : type == RawType::Sz       ? RegValue::Sz(bytes)
                         : type == RawType::ExpandSz ? RegValue::ExpandSz(bytes)
                                                     : RegValue::Binary(bytes);
        Sim.registry.SetValue(KeyPath(), name, std::move(value));
    }
    RawType TypeOf(const char* name) const
    {
        using platform::headless::RegType;
        const auto* value = Sim.registry.FindValue(KeyPath(), name);
        if (value == nullptr)
            return RawType::Missing;
        switch (value->Type) {
        case RegType::Dword: return RawType::Dword;
        case RegType::Sz: return RawType::Sz;
        case RegType::ExpandSz: return RawType::ExpandSz;
        case RegType::Binary: return RawType::Binary;
        }
        return RawType::Missing;
    }
    // The simulator's keys hold no subkeys of their own: emptying the values is deleting the tree.
    void DeleteTree(const std::string& path) { Sim.registry.ValuesOf(platform::headless::Registry::Normalise(path)).clear(); }
};

} // namespace contract
