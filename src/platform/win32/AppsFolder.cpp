#include "platform/win32/AppsFolder.h"

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <optional>

#include "platform/win32/AnsiText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

// One of the item's names, or nothing when the shell cannot give it. The shell
// allocates the text; the caller frees it with CoTaskMemFree.
std::optional<std::string> NameOf(IShellItem& item, SIGDN form)
{
    PWSTR name = nullptr;
    if (FAILED(item.GetDisplayName(form, &name)) || name == nullptr)
        return std::nullopt;
    std::string text = WideToAnsi(name);
    CoTaskMemFree(name);
    return text;
}

} // namespace

void ListShellFolder(IShellItem& folder, const std::function<void(const AppsFolderItem&)>& onItem,
                     std::stop_token stop)
{
    // BHID_EnumItems lists every item of the folder, hidden ones included.
    ComPtr<IEnumShellItems> items;
    HRESULT result = folder.BindToHandler(nullptr, BHID_EnumItems, IID_IEnumShellItems, items.ReceiveVoid());
    if (FAILED(result))
        RaiseOSError(static_cast<unsigned long>(result));
    while (!stop.stop_requested()) {
        // One at a time: Next answers S_OK with an item, S_FALSE at the end, an error otherwise.
        ComPtr<IShellItem> item;
        ULONG fetched = 0;
        result = items->Next(1, reinterpret_cast<IShellItem**>(item.ReceiveVoid()), &fetched);
        if (FAILED(result))
            RaiseOSError(static_cast<unsigned long>(result));
        if (result != S_OK || fetched != 1 || !item)
            return;
        std::optional<std::string> parsingName = NameOf(*item.Get(), SIGDN_PARENTRELATIVEPARSING);
        if (!parsingName)
            continue;
        onItem({NameOf(*item.Get(), SIGDN_NORMALDISPLAY).value_or(std::string()), std::move(*parsingName)});
    }
}

void AppsFolder::Enumerate(const std::function<void(const AppsFolderItem&)>& onItem, std::stop_token stop)
{
    // A single-threaded apartment of this thread's own: the shell's namespace objects are
    // apartment-threaded, so made here they run on this thread rather than on one that
    // COM would have to marshal every call to.
    const ComApartment com;
    ComPtr<IShellItem> folder;
    const HRESULT result =
        SHGetKnownFolderItem(FOLDERID_AppsFolder, KF_FLAG_DEFAULT, nullptr, IID_IShellItem, folder.ReceiveVoid());
    // Older Windows has no such folder, and neither has Wine: both answer "file not found".
    if (result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
        return;
    if (FAILED(result))
        RaiseOSError(static_cast<unsigned long>(result));
    ListShellFolder(*folder.Get(), onItem, stop);
}

void AppsFolder::Activate(const std::string& appUserModelId)
{
    // The shell's "open" of the app's item in the Applications folder, as the Start menu
    // does it: it serves every kind of packaged app, gives the started app the
    // foreground, and shows its own message when the app cannot start.
    const std::string item = "shell:AppsFolder\\" + appUserModelId;
    ShellExecuteA(nullptr, "open", item.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace platform::win32
