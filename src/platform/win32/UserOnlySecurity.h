#pragma once
#include <windows.h>

#include <vector>

namespace platform::win32 {

// Security for the named objects instances share: owned by the current user, with
// access for that user alone. Other users' processes in the same session (the names
// have no namespace prefix) can then neither open our objects nor pass theirs off as
// ours.
class UserOnlySecurity {
public:
    UserOnlySecurity(); // throws Exception when the process's user cannot be found
    UserOnlySecurity(const UserOnlySecurity&) = delete;
    UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }
    // Whether the object's owner is the current user, or this process's default owner of
    // new objects (false when it cannot be read).
    bool OwnedByUser(HANDLE object) const;

private:
    PSID User() const { return const_cast<BYTE*>(sid_.data()); }

    std::vector<BYTE> sid_;
    std::vector<BYTE> defaultOwner_;
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
};

// Whether the event resets itself when a wait takes it (false when that cannot be read).
bool IsAutoResetEvent(HANDLE event);

} // namespace platform::win32
