#pragma once
#include "platform/SpecialFolders.h"

namespace platform::win32 {

class SpecialFolders : public ISpecialFolders {
public:
    std::string Path(int csidl) override;
};

} // namespace platform::win32
