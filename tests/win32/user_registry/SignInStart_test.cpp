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

// Windows' own switch, as Task Manager leaves it: a binary value whose first byte says
// off. Its former value comes back after the test.
TEST_F(SignInStartTest, WindowsStartupSwitchHoldsTheEntryOffUntilSwitchedOnAgain)
{
    constexpr const char* approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, approved, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    BYTE saved[64] = {};
    DWORD savedSize = sizeof saved;
    DWORD savedType = REG_NONE;
    const bool hadValue = RegQueryValueExA(key, "Zephyrix", nullptr, &savedType, saved, &savedSize) == ERROR_SUCCESS;
    const BYTE off[12] = {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};
    ASSERT_EQ(RegSetValueExA(key, "Zephyrix", 0, REG_BINARY, off, sizeof off), ERROR_SUCCESS);

    SignInStart::Set(true);
    RegSetValueExA(key, "Zephyrix", 0, REG_BINARY, off, sizeof off);
    EXPECT_TRUE(SignInStart::SwitchedOffByWindows());
    EXPECT_FALSE(SignInStart::IsOn()) << "the entry is there, but Windows holds it off";
    SignInStart::Set(true);
    EXPECT_TRUE(SignInStart::IsOn());
    BYTE now[64] = {};
    DWORD size = sizeof now;
    DWORD type = REG_NONE;
    EXPECT_EQ(RegQueryValueExA(key, "Zephyrix", nullptr, &type, now, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(now[0], 2);

    if (hadValue)
        RegSetValueExA(key, "Zephyrix", 0, savedType, saved, savedSize);
    else
        RegDeleteValueA(key, "Zephyrix");
    RegCloseKey(key);
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
