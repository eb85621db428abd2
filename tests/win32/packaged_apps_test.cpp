#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "Win32Test.h"
#include "catalogue/PackagedApps.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"
#include "platform/win32/AppsFolder.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::AppsFolderItem;

class PackagedAppsTest : public Win32Test {
protected:
    // Lists on a thread of its own, as the source does.
    static std::vector<AppsFolderItem> ListOnAThread(const std::function<void(std::vector<AppsFolderItem>&)>& list)
    {
        std::vector<AppsFolderItem> items;
        std::thread([&] { list(items); }).join();
        return items;
    }

    RecordingPlatform* platform_ = &InstallPlatform<RecordingPlatform>();
};

// Wine has no Applications folder: the real call answers "file not found" there.
TEST_F(PackagedAppsTest, WithoutAnApplicationsFolderTheListingIsEmptyAndSilent)
{
    IShellItem* folder = nullptr;
    EXPECT_EQ(SHGetKnownFolderItem(FOLDERID_AppsFolder, KF_FLAG_DEFAULT, nullptr, IID_IShellItem,
                                   reinterpret_cast<void**>(&folder)),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    if (folder != nullptr)
        folder->Release();

    const auto items = ListOnAThread([](std::vector<AppsFolderItem>& found) {
        platform::AppsFolder().Enumerate([&](const AppsFolderItem& item) { found.push_back(item); }, {});
    });
    EXPECT_TRUE(items.empty());

    TAbbrevInfos store;
    TPackagedAppsFolder source(store);
    int changes = 0;
    source.OnChange = [&](TShortcutDataSource&) { ++changes; };
    ASSERT_TRUE(platform::win32::PumpMessagesUntil([&] { return !source.Listing(); }, 10000));
    // Whatever the listing posted is queued by now: handle it.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_TRUE(source.Entries.empty());
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(platform_->recording.Errors.empty());
}

// The listing's own calls, on a real folder of the file system, through the real
// user-interface thread. Wine 8 offers no BHID_EnumItems handler (MK_E_NOOBJECT), so here
// they take the failure path: reported once, nothing listed, nothing stopped.
class ScratchAppsFolder : public platform::IAppsFolder {
public:
    void Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop) override
    {
        const platform::win32::ComApartment com;
        platform::win32::ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(Folder.c_str(), nullptr, IID_IShellItem, folder.ReceiveVoid())))
            platform::win32::ListShellFolder(*folder.Get(), onItem, stop);
        ++Listed;
    }
    void Activate(const std::string&) override {}
    std::wstring Folder;
    std::atomic<int> Listed = 0;
};

class ScratchAppsPlatform : public RecordingPlatform {
public:
    platform::IAppsFolder& AppsFolder() override { return scratch; }
    ScratchAppsFolder scratch;
};

TEST_F(PackagedAppsTest, AFolderThatCannotBeListedIsReportedOnceAndListsNothing)
{
    WriteFile(Scratch("Tool_8wekyb3d8bbwe!App"), "a");
    auto& platform = InstallPlatform<ScratchAppsPlatform>();
    platform.scratch.Folder = std::wstring(ScratchFolder().begin(), ScratchFolder().end());

    TAbbrevInfos store;
    TPackagedAppsFolder source(store);
    ASSERT_TRUE(platform::win32::PumpMessagesUntil([&] { return !source.Listing(); }, 10000));
    EXPECT_EQ(platform.scratch.Listed, 0) << "Wine has learnt BHID_EnumItems: list the scratch folder here";
    ASSERT_EQ(platform.recording.Errors.size(), 1u);
    EXPECT_EQ(platform.recording.Errors[0].rfind("The apps from the Microsoft Store and Windows could not be listed: ", 0),
              0u)
        << platform.recording.Errors[0];
    EXPECT_TRUE(source.Entries.empty());
}

} // namespace
