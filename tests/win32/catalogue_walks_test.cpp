// The folder sources against the real file system: watches with names, rescans in
// proportion to the change, and walks on a thread of their own.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Win32Test.h"
#include "catalogue/uFindFiles.h"
#include "catalogue/uWatchedFolder.h"
#include "matching/abbreviations.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::win32::PumpMessagesUntil;

// The real platform, with every directory listing counted, and listings below one folder
// held back until the test lets them go (as if that folder were on a slow disk).
class ListingPlatform : public RecordingPlatform {
public:
    class Listings : public platform::IDirectories {
    public:
        std::vector<platform::DirectoryEntry> Enumerate(const std::string& mask) override
        {
            {
                std::unique_lock lock(mutex_);
                ++count_;
                if (!held_.empty() && mask.rfind(held_, 0) == 0) {
                    waiting_ = true;
                    changed_.notify_all();
                    changed_.wait(lock, [this] { return held_.empty(); });
                }
            }
            return real_.Enumerate(mask);
        }
        void Hold(const std::string& folder)
        {
            const std::lock_guard lock(mutex_);
            held_ = folder;
        }
        void Release()
        {
            {
                const std::lock_guard lock(mutex_);
                held_.clear();
            }
            changed_.notify_all();
        }
        bool Waiting()
        {
            const std::lock_guard lock(mutex_);
            return waiting_;
        }
        std::size_t Count()
        {
            const std::lock_guard lock(mutex_);
            return count_;
        }

    private:
        platform::win32::Directories real_;
        std::mutex mutex_;
        std::condition_variable changed_;
        std::string held_;
        bool waiting_ = false;
        std::size_t count_ = 0;
    };
    platform::IDirectories& Directories() override { return listings; }
    Listings listings;
};

class CatalogueWalksTest : public Win32Test {
protected:
    void Folder(const std::string& name) { CreateDirectoryA(Scratch(name).c_str(), nullptr); }
    void File(const std::string& name) { WriteFile(Scratch(name), "x"); }
    void Hide(const std::string& name) { SetFileAttributesA(Scratch(name).c_str(), FILE_ATTRIBUTE_HIDDEN); }
    static void WaitForWalk(const TWatchedFolder& source)
    {
        ASSERT_TRUE(PumpMessagesUntil([&] { return !source.IsWalking(); }, 60000));
    }
    static bool Has(const TWatchedFolder& source, const std::string& path)
    {
        return std::any_of(source.Entries.begin(), source.Entries.end(),
                           [&](const auto& entry) { return entry->Path == path; });
    }
    ListingPlatform::Listings& Listings() { return platform_->listings; }

    TAbbrevInfos store;

private:
    ListingPlatform* platform_ = &InstallPlatform<ListingPlatform>();
};

// A Documents folder of 500 files in 120 folders inside a profile: changes that cannot
// alter the catalogue (elsewhere in the profile, files that are not shortcuts, anything
// below a hidden folder) list nothing; a shortcut made deep in the tree arrives two
// seconds later, and only its own folder is listed again.
TEST_F(CatalogueWalksTest, OnlyShortcutChangesInTheTreeCostAListingOfTheirFolder)
{
    Folder("Profile");
    Folder("Profile\\AppData");
    Folder("Profile\\Documents");
    Folder("Profile\\Documents\\.cache");
    for (int group = 0; group < 20; ++group) {
        const std::string g = "Profile\\Documents\\g" + std::to_string(group);
        Folder(g);
        File(g + "\\Tool " + std::to_string(group) + ".lnk");
        for (int sub = 0; sub < 5; ++sub) {
            Folder(g + "\\s" + std::to_string(sub));
            for (int file = 0; file < 5; ++file)
                File(g + "\\s" + std::to_string(sub) + "\\f" + std::to_string(file) + ".txt");
        }
    }
    Hide("Profile\\Documents\\.cache");
    TWatchedFolder source(store);
    int changes = 0;
    source.OnChange = [&](TShortcutDataSource&) { ++changes; };
    source.ScanFolder(Scratch("Profile\\Documents"));
    WaitForWalk(source);
    ASSERT_EQ(source.Entries.size(), 20u);
    changes = 0;
    const std::size_t listed = Listings().Count();

    Folder("Profile\\AppData\\Temp");
    File("Profile\\AppData\\Temp\\download.tmp");
    DeleteFileA(Scratch("Profile\\AppData\\Temp\\download.tmp").c_str());
    File("Profile\\Documents\\g3\\s4\\build.obj");
    MoveFileA(Scratch("Profile\\Documents\\g3\\s4\\build.obj").c_str(), Scratch("Profile\\Documents\\g3\\s4\\b.o").c_str());
    File("Profile\\Documents\\.cache\\Hidden.lnk");
    const ULONGLONG created = GetTickCount64();
    File("Profile\\Documents\\g7\\s4\\Deep.lnk");
    ASSERT_TRUE(PumpMessagesUntil([&] { return changes > 0; }, 15000));
    EXPECT_GE(GetTickCount64() - created, 1900u);
    EXPECT_TRUE(Has(source, Scratch("Profile\\Documents\\g7\\s4\\Deep.lnk")));
    EXPECT_FALSE(Has(source, Scratch("Profile\\Documents\\.cache\\Hidden.lnk")));
    EXPECT_EQ(Listings().Count() - listed, 1u) << "only the deep folder is listed again";
    EXPECT_EQ(changes, 1);
}

// The walk of a tree whose listing is slow: the user-interface thread answers messages
// all along, and takes the entries when the walk ends.
TEST_F(CatalogueWalksTest, TheWindowAnswersWhileATreeIsWalked)
{
    Folder("Big");
    Folder("Big\\Slow");
    File("Big\\Slow\\A.lnk");
    Listings().Hold(Scratch("Big\\Slow"));
    TestWindow window("walk test " + std::to_string(GetCurrentProcessId()), WS_OVERLAPPED);
    TWatchedFolder source(store);
    source.ScanFolder(Scratch("Big"));
    ASSERT_TRUE(PumpMessagesUntil([&] { return Listings().Waiting(); }, 15000));

    std::atomic<bool> answered{false};
    std::thread other([&] {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(window.Hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
    });
    EXPECT_TRUE(PumpMessagesUntil([&] { return answered.load(); }, 15000));
    other.join();
    EXPECT_TRUE(source.IsWalking());
    EXPECT_TRUE(source.Entries.empty());

    Listings().Release();
    WaitForWalk(source);
    EXPECT_EQ(source.Entries.size(), 1u);
}

TEST_F(CatalogueWalksTest, FreeingTheSourceAbandonsItsWalk)
{
    Folder("Gone");
    Folder("Gone\\Slow");
    File("Gone\\Slow\\A.lnk");
    Listings().Hold(Scratch("Gone\\Slow"));
    int changes = 0;
    {
        TWatchedFolder source(store);
        source.OnChange = [&](TShortcutDataSource&) { ++changes; };
        source.ScanFolder(Scratch("Gone"));
        ASSERT_TRUE(PumpMessagesUntil([&] { return Listings().Waiting(); }, 15000));
        Listings().Release(); // the walk ends and waits for the user-interface thread...
    } // ...which frees the source first
    PumpMessagesUntil([] { return false; }, 300);
    EXPECT_EQ(changes, 0);
}

// Windows matches a mask against the 8.3 short name too: Report.lnkx is REPORT~1.LNK.
TEST_F(CatalogueWalksTest, ShortNamesDoNotMakeOtherFilesShortcuts)
{
    Folder("Short");
    File("Short\\Report.lnkx");
    File("Short\\Page.urlx");
    File("Short\\Real.lnk");
    std::vector<std::string> found;
    TRecursiveFindFiles finder;
    finder.OnFile = [&](TRecursiveFindFiles&, const std::string& path) { found.push_back(path); };
    finder.FindFiles(Scratch("Short\\*.LNK"), true);
    finder.FindFiles(Scratch("Short\\*.URL"), true);
    EXPECT_EQ(found, std::vector<std::string>{Scratch("Short\\Real.lnk")});

    TWatchedFolder source(store);
    source.ScanFolder(Scratch("Short"));
    WaitForWalk(source);
    ASSERT_EQ(source.Entries.size(), 1u);
    EXPECT_EQ(source.Entries[0]->Path, Scratch("Short\\Real.lnk"));
}

} // namespace
