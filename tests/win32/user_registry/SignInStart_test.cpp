#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <string>

#include "RunEntry.h"
#include "Win32Test.h"
#include "common/Exception.h"
#include "config/SignInStart.h"
#include "platform/win32/SystemError.h"

namespace {

// The real Run key of the user; the entry it had before the test comes back after it.
class SignInStartTest : public Win32Test {
protected:
    SignInStartTest() { platform::Install(std::make_unique<RecordingPlatform>()); }

private:
    RunEntry::Backup backup_;
};

TEST_F(SignInStartTest, OnWritesTheQuotedPathOfTheRunningProgramAndOffRemovesIt)
{
    SignInStart::Set(false);
    EXPECT_FALSE(SignInStart::IsOn());

    SignInStart::Set(true);
    DWORD type = REG_NONE;
    EXPECT_EQ(RunEntry::Read(type), RunEntry::QuotedOwnPath());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(SignInStart::IsOn());

    SignInStart::Set(false);
    EXPECT_FALSE(SignInStart::IsOn());
    EXPECT_EQ(RunEntry::Read(type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    EXPECT_NO_THROW(SignInStart::Set(false));
}

TEST_F(SignInStartTest, AWriteTheRegistryRefusesRaisesItsMessage)
{
    // The Run key, locked against changes as a policy or another tool may lock it.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, RunEntry::Key, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR original = nullptr;
    PACL originalDacl = nullptr;
    ASSERT_EQ(GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &originalDacl, nullptr,
                              &original),
              ERROR_SUCCESS);
    EXPLICIT_ACCESSA deny{};
    deny.grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
    deny.grfAccessMode = DENY_ACCESS;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    deny.Trustee.ptstrName = const_cast<char*>("CURRENT_USER");
    PACL locked = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &deny, originalDacl, &locked), ERROR_SUCCESS);
    ASSERT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, locked, nullptr),
              ERROR_SUCCESS);

    std::string message;
    try {
        SignInStart::Set(true);
    } catch (const Exception& error) {
        message = error.what();
    }
    SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, originalDacl, nullptr);
    LocalFree(locked);
    LocalFree(original);
    RegCloseKey(key);

    EXPECT_EQ(message, platform::win32::SystemErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(SignInStart::IsOn());
}

} // namespace
