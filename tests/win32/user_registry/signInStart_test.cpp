#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <string>

#include "Win32Test.h"
#include "common/Exception.h"
#include "config/signInStart.h"
#include "platform/win32/SystemError.h"

namespace {

constexpr const char* RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The real Run key of the user; the entry it had before the test comes back after it.
class SignInStartTest : public Win32Test {
protected:
    SignInStartTest()
    {
        platform::Install(std::make_unique<RecordingPlatform>());
        saved_ = Entry(savedType_);
    }
    ~SignInStartTest() override
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        if (savedType_ == REG_NONE)
            RegDeleteValueA(key, "Zephyrix");
        else
            RegSetValueExA(key, "Zephyrix", 0, savedType_, reinterpret_cast<const BYTE*>(saved_.c_str()),
                           static_cast<DWORD>(saved_.size() + 1));
        RegCloseKey(key);
    }

    // The entry as the shell reads it at sign-in; REG_NONE when there is none.
    static std::string Entry(DWORD& type)
    {
        char data[1024] = "";
        DWORD size = sizeof(data);
        type = REG_NONE;
        if (RegGetValueA(HKEY_CURRENT_USER, RunKey, "Zephyrix", RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
            ERROR_SUCCESS)
            type = REG_NONE;
        return data;
    }
    static std::string Entry()
    {
        DWORD type = REG_NONE;
        return Entry(type);
    }

    // This program's own path in quotes.
    static std::string QuotedOwnPath()
    {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string quoted = "\"";
        quoted += path;
        quoted += '"';
        return quoted;
    }

private:
    std::string saved_;
    DWORD savedType_ = REG_NONE;
};

TEST_F(SignInStartTest, OnWritesTheQuotedPathOfTheRunningProgramAndOffRemovesIt)
{
    SignInStart::Set(false);
    EXPECT_FALSE(SignInStart::IsOn());

    SignInStart::Set(true);
    DWORD type = REG_NONE;
    EXPECT_EQ(Entry(type), QuotedOwnPath());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(SignInStart::IsOn());

    SignInStart::Set(false);
    EXPECT_FALSE(SignInStart::IsOn());
    EXPECT_EQ(Entry(type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    EXPECT_NO_THROW(SignInStart::Set(false));
}

TEST_F(SignInStartTest, AWriteTheRegistryRefusesRaisesItsMessage)
{
    // The Run key, locked against changes as a policy or another tool may lock it.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key,
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
