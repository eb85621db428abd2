#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "Win32Test.h"
#include "catalogue/uPackagedApps.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"
#include "platform/win32/AppsFolder.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::AppsFolderItem;

class PackagedAppsTest : public Win32Test {
protected:
    PackagedAppsTest()
    {
        auto owned = std::make_unique<RecordingPlatform>();
        platform_ = owned.get();
        platform::Install(std::move(owned));
    }

    // Lists on a thread of its own, as the source does.
    static std::vector<AppsFolderItem> ListOnAThread(const std::function<void(std::vector<AppsFolderItem>&)>& list)
    {
        std::vector<AppsFolderItem> items;
        std::thread([&] { list(items); }).join();
        return items;
    }

    RecordingPlatform* platform_ = nullptr;
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

// The listing's own calls, on a real folder of the file system.
TEST_F(PackagedAppsTest, AShellFolderIsListedWithParsingAndDisplayNames)
{
    WriteFile(Scratch("Alpha.txt"), "a");
    WriteFile(Scratch("beta.dat"), "b");
    CreateDirectoryA(Scratch("Gamma").c_str(), nullptr);
    const std::wstring folderPath(ScratchFolder().begin(), ScratchFolder().end());

    const auto list = [&](std::stop_token stop) {
        return ListOnAThread([&](std::vector<AppsFolderItem>& found) {
            const platform::win32::ComApartment com;
            platform::win32::ComPtr<IShellItem> folder;
            ASSERT_EQ(SHCreateItemFromParsingName(folderPath.c_str(), nullptr, IID_IShellItem, folder.ReceiveVoid()),
                      S_OK);
            platform::win32::ListShellFolder(
                *folder.Get(), [&](const AppsFolderItem& item) { found.push_back(item); }, stop);
        });
    };
    auto items = list({});
    std::sort(items.begin(), items.end(),
              [](const AppsFolderItem& a, const AppsFolderItem& b) { return a.ParsingName < b.ParsingName; });
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].ParsingName, "Alpha.txt");
    EXPECT_EQ(items[1].ParsingName, "Gamma");
    EXPECT_EQ(items[2].ParsingName, "beta.dat");
    EXPECT_EQ(items[1].DisplayName, "Gamma");
    EXPECT_EQ(items[0].DisplayName.rfind("Alpha", 0), 0u) << items[0].DisplayName;

    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_TRUE(list(stopped.get_token()).empty());
}

} // namespace
