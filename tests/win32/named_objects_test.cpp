// The named objects instances share, against squatters: another user's process in the
// same session could make them first, with a permissive access list, to read or forge
// the texts. Here the test process plays that user, making the objects with another
// owner before the program asks for them.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "Win32Test.h"
#include "common/Exception.h"
#include "platform/KernelObjects.h"
#include "shell/SingleInstance.h"
#include "shell/ipcFilemap.h"

namespace {

using platform::win32::UniqueKernelHandle;

// Owned by a user of another machine, open to everyone (no access list at all), or
// restricted to that user alone.
class ForeignSecurity {
public:
    explicit ForeignSecurity(bool restrictive = false)
    {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        AllocateAndInitializeSid(&nt, 5, SECURITY_NT_NON_UNIQUE, 1, 2, 3, 1001, 0, 0, 0, &sid_);
        InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorOwner(&descriptor_, sid_, FALSE);
        PACL acl = nullptr;
        if (restrictive) {
            InitializeAcl(reinterpret_cast<PACL>(acl_), sizeof acl_, ACL_REVISION);
            AddAccessAllowedAce(reinterpret_cast<PACL>(acl_), ACL_REVISION, GENERIC_ALL, sid_);
            acl = reinterpret_cast<PACL>(acl_);
        }
        SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
        attributes_ = {sizeof(attributes_), &descriptor_, FALSE};
    }
    ~ForeignSecurity() { FreeSid(sid_); }
    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }
    PSID Sid() const { return sid_; }

private:
    PSID sid_ = nullptr;
    alignas(DWORD) unsigned char acl_[256] = {};
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
};

class NamedObjectsContract : public Win32Test {
protected:
    std::string Name(const std::string& what) const
    {
        std::string name = "zx-test-";
        name += what;
        name += '-';
        name += std::to_string(GetCurrentProcessId());
        return name;
    }
    // The owner and the access list's single grantee, or false when they cannot be read.
    static bool Security(HANDLE object, std::string& owner, std::string& grantees)
    {
        PSID ownerSid = nullptr;
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                            &ownerSid, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
            return false;
        owner = SidText(ownerSid);
        grantees.clear();
        for (DWORD n = 0; dacl != nullptr && n < dacl->AceCount; ++n) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            if (GetAce(dacl, n, reinterpret_cast<void**>(&ace)) && ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE)
            {
                if (!grantees.empty())
                    grantees += ' ';
                grantees += SidText(&ace->SidStart);
            }
        }
        if (dacl == nullptr)
            grantees = "<everyone>";
        LocalFree(descriptor);
        return true;
    }
    static std::string SidText(PSID sid)
    {
        char* text = nullptr;
        if (sid == nullptr || !ConvertSidToStringSidA(sid, &text))
            return "<none>";
        std::string result = text;
        LocalFree(text);
        return result;
    }
    static std::string CurrentUser()
    {
        HANDLE token = nullptr;
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
        char buffer[256] = {};
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size);
        CloseHandle(token);
        return SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
    }
};

TEST_F(NamedObjectsContract, ObjectsAreMadeForTheCurrentUserAlone)
{
    auto& kernel = platform::KernelObjects();
    const auto mutex = kernel.NewMutex(Name("mutex"), false);
    ASSERT_EQ(mutex.How, platform::MutexResult::Outcome::Created);
    const auto event = kernel.NewEvent(Name("event"), false, false);
    const auto block = kernel.NewSharedMemory(Name("block"), 2048);
    ASSERT_TRUE(block.Block);
    EXPECT_EQ(block.Failure, platform::SharedMemoryFailure::None);

    const UniqueKernelHandle handles[] = {
        UniqueKernelHandle(OpenMutexA(READ_CONTROL, FALSE, Name("mutex").c_str())),
        UniqueKernelHandle(OpenEventA(READ_CONTROL, FALSE, Name("event").c_str())),
        UniqueKernelHandle(OpenFileMappingA(READ_CONTROL, FALSE, Name("block").c_str())),
    };
    for (const auto& handle : handles) {
        ASSERT_TRUE(handle);
        std::string owner;
        std::string grantees;
        ASSERT_TRUE(Security(handle.Get(), owner, grantees));
        EXPECT_EQ(owner, CurrentUser());
        EXPECT_EQ(grantees, CurrentUser()) << "one entry, for the user alone";
    }
    // Opening our own objects again works as before.
    platform::MutexResult again;
    EXPECT_NO_THROW(again = kernel.NewMutex(Name("mutex"), false));
    EXPECT_EQ(again.How, platform::MutexResult::Outcome::Existed);
    EXPECT_TRUE(again.Mutex);
    EXPECT_NO_THROW(kernel.NewEvent(Name("event"), false, false));
    EXPECT_TRUE(kernel.NewSharedMemory(Name("block"), 2048).Block);
}

TEST_F(NamedObjectsContract, ObjectsAnotherUserMadeFirstAreRefused)
{
    ForeignSecurity foreign;
    const UniqueKernelHandle mutex(CreateMutexA(foreign.Attributes(), FALSE, Name("mutex").c_str()));
    const UniqueKernelHandle event(CreateEventA(foreign.Attributes(), FALSE, FALSE, Name("event").c_str()));
    const UniqueKernelHandle block(
        CreateFileMappingA(INVALID_HANDLE_VALUE, foreign.Attributes(), PAGE_READWRITE, 0, 2048, Name("block").c_str()));
    ASSERT_TRUE(mutex && event && block);
    std::string owner;
    std::string grantees;
    ASSERT_TRUE(Security(mutex.Get(), owner, grantees));
    ASSERT_EQ(owner, SidText(foreign.Sid())) << "the system did not keep the other owner";

    auto& kernel = platform::KernelObjects();
    EXPECT_THROW(kernel.NewMutex(Name("mutex"), false), platform::EForeignObject);
    EXPECT_THROW(kernel.NewEvent(Name("event"), false, false), platform::EForeignObject);
    const auto refused = kernel.NewSharedMemory(Name("block"), 2048);
    EXPECT_FALSE(refused.Block);
    EXPECT_EQ(refused.Failure, platform::SharedMemoryFailure::Foreign);
    try {
        TStringFilemapping squatted(Name("block"), 2048);
        ADD_FAILURE() << "a squatted block was used";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Unable to open file mapping.");
    }
}

// A squatter that lets nobody else in: the objects cannot even be opened. The program
// must say so, not take the lock it cannot have for a running instance.
TEST_F(NamedObjectsContract, ObjectsAnotherAccountLocksUsOutOfAreReportedAsSuch)
{
    ForeignSecurity foreign(true);
    const UniqueKernelHandle mutex(CreateMutexA(foreign.Attributes(), FALSE, Name("lock").c_str()));
    const UniqueKernelHandle event(CreateEventA(foreign.Attributes(), FALSE, FALSE, Name("event").c_str()));
    const UniqueKernelHandle block(
        CreateFileMappingA(INVALID_HANDLE_VALUE, foreign.Attributes(), PAGE_READWRITE, 0, 2048, Name("block").c_str()));
    ASSERT_TRUE(mutex && event && block);
    ASSERT_FALSE(UniqueKernelHandle(OpenMutexA(SYNCHRONIZE, FALSE, Name("lock").c_str())))
        << "the system let this user through the other's access list";

    TInstanceLock lock;
    try {
        lock.CheckSingleInstance(Name("lock"));
        ADD_FAILURE() << "a lock held by another account counted as another instance";
    } catch (const platform::EForeignObject& error) {
        EXPECT_NE(std::string(error.what()).find("another account"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(lock.Held());
    auto& kernel = platform::KernelObjects();
    EXPECT_THROW(kernel.NewEvent(Name("event"), false, false), platform::EForeignObject);
    EXPECT_EQ(kernel.NewSharedMemory(Name("block"), 2048).Failure, platform::SharedMemoryFailure::Foreign);
}

TEST_F(NamedObjectsContract, NewTextEventThatDoesNotResetItselfIsRefused)
{
    // Made by this very user, but manual-reset: the listener would take it in a loop.
    auto& kernel = platform::KernelObjects();
    const auto manual = kernel.NewEvent(Name("manual"), true, false);
    EXPECT_THROW(kernel.NewEvent(Name("manual"), false, false), platform::EForeignObject);
    const auto automatic = kernel.NewEvent(Name("automatic"), false, false);
    EXPECT_NO_THROW(kernel.NewEvent(Name("automatic"), false, false));
    EXPECT_THROW(kernel.NewEvent(Name("automatic"), true, false), platform::EForeignObject);
}

// Wine gives an object made without security attributes no owner at all (Windows gives
// it the token's default owner): such an object cannot be told from a squatter's.
TEST_F(NamedObjectsContract, ObjectWithoutAnOwnerIsNotTakenForOurs)
{
    const UniqueKernelHandle ownerless(CreateEventA(nullptr, FALSE, FALSE, Name("ownerless").c_str()));
    std::string owner;
    std::string grantees;
    ASSERT_TRUE(Security(ownerless.Get(), owner, grantees));
    if (owner != "<none>")
        GTEST_SKIP() << "this system gave it the owner " << owner;
    EXPECT_THROW(platform::KernelObjects().NewEvent(Name("ownerless"), false, false), platform::EForeignObject);
}

} // namespace
