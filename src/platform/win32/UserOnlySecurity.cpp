#include "platform/win32/UserOnlySecurity.h"

#include <aclapi.h>

#include "common/Exception.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

std::vector<BYTE> CopyOfSid(PSID source)
{
    std::vector<BYTE> sid(GetLengthSid(source));
    if (!CopySid(static_cast<DWORD>(sid.size()), sid.data(), source))
        RaiseLastOSError();
    return sid;
}

// The process token's user, or its default owner for new objects.
std::vector<BYTE> TokenSid(TOKEN_INFORMATION_CLASS which)
{
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
        RaiseLastOSError();
    DWORD size = 0;
    GetTokenInformation(token.Get(), which, nullptr, 0, &size);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetTokenInformation(token.Get(), which, info.data(), size, &size))
        RaiseLastOSError();
    if (which == TokenUser)
        return CopyOfSid(reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid);
    return CopyOfSid(reinterpret_cast<TOKEN_OWNER*>(info.data())->Owner);
}

} // namespace

UserOnlySecurity::UserOnlySecurity() : sid_(TokenSid(TokenUser)), defaultOwner_(TokenSid(TokenOwner))
{
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(User());
    acl_.resize(aclSize);
    const auto acl = reinterpret_cast<PACL>(acl_.data());
    // The owner is named explicitly: an elevated process would otherwise make the
    // Administrators group the owner, which the check below would not take for ours.
    if (!InitializeAcl(acl, aclSize, ACL_REVISION) || !AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, User()) ||
        !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorOwner(&descriptor_, User(), FALSE) || !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
        RaiseLastOSError();
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
}

bool UserOnlySecurity::OwnedByUser(HANDLE object) const
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    // Objects made without an explicit owner (by an earlier version, or by an elevated
    // process of this user) belong to the token's default owner, the Administrators
    // group for an administrator: only a member that may own objects can make that so.
    const bool ours = owner != nullptr && (EqualSid(owner, User()) || EqualSid(owner, const_cast<BYTE*>(defaultOwner_.data())));
    LocalFree(descriptor);
    return ours;
}

bool IsAutoResetEvent(HANDLE event)
{
    // The event's kind is only told by the native call; EventBasicInformation (0) gives
    // the type, where SynchronizationEvent (1) is the automatic-reset kind.
    struct EventBasicInformation {
        int EventType;
        LONG EventState;
    };
    using QueryEvent = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto query =
        ntdll != nullptr ? reinterpret_cast<QueryEvent>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryEvent")))
                         : nullptr;
    if (query == nullptr)
        return false;
    EventBasicInformation information{};
    return query(event, 0, &information, sizeof(information), nullptr) >= 0 && information.EventType == 1;
}

} // namespace platform::win32
