#pragma once
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace contract {

// The real Win32 platform with COM on the thread, installed for one test.
class RealPlatform {
public:
    static constexpr const char* Name = "Real";
    RealPlatform() { platform::win32::InstallWin32Platform(); }
    ~RealPlatform() { platform::Install(nullptr); }
    RealPlatform(const RealPlatform&) = delete;
    RealPlatform& operator=(const RealPlatform&) = delete;

private:
    platform::win32::ComApartment com_;
};

} // namespace contract
