#include "platform/win32/Icons.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/IconQueue.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/ProgramIcon.h"

namespace platform::win32 {

namespace {

constexpr UINT FlushMessage = WM_APP + 10;
constexpr UINT AnsweredMessage = WM_APP + 11;
// How long a window may take to name its icon; a hung one costs no more.
constexpr UINT WindowIconTimeoutMs = 200;

// A window's own icon is not in the system image list: a copy is kept here, one per
// window, on the user-interface thread, and named by an IconId below GenericIcon.
class WindowIconTable {
public:
    IconId Keep(WindowHandle window, UniqueIcon icon)
    {
        // Windows that closed give their places back.
        for (auto it = byWindow_.begin(); it != byWindow_.end();) {
            if (IsWindow(reinterpret_cast<HWND>(it->first)) == FALSE) {
                icons_[it->second].Reset();
                free_.push_back(it->second);
                it = byWindow_.erase(it);
            } else {
                ++it;
            }
        }
        auto found = byWindow_.find(window);
        std::size_t place = 0;
        if (found != byWindow_.end()) {
            place = found->second;
        } else if (!free_.empty()) {
            place = free_.back();
            free_.pop_back();
        } else {
            place = icons_.size();
            icons_.emplace_back();
        }
        byWindow_[window] = place;
        icons_[place] = std::move(icon);
        return GenericIcon - 1 - static_cast<IconId>(place);
    }
    HICON Find(IconId id) const
    {
        const auto place = static_cast<std::size_t>(GenericIcon - 1 - id);
        return place < icons_.size() ? icons_[place].Get() : nullptr;
    }

private:
    std::map<WindowHandle, std::size_t> byWindow_;
    std::vector<UniqueIcon> icons_;
    std::vector<std::size_t> free_;
};

WindowIconTable& CopiedWindowIcons()
{
    static WindowIconTable table;
    return table;
}

// The system image list's index of the icon of that index (a negative one names a resource
// id) in a file. Shell_GetCachedImageIndexW is reached by its ordinal, 72, as Windows has
// always exported it: Wine exports the name only as an unimplemented stub.
int CachedImageIndex(const std::wstring& file, int index)
{
    using Function = int(WINAPI*)(LPCWSTR, int, UINT);
    static const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(72))));
    return function != nullptr ? function(file.c_str(), index, 0) : -1;
}

// A file's last-write time and size in one number; 0 when it cannot be read.
std::uint64_t StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    const std::uint64_t time = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32)
        | data.ftLastWriteTime.dwLowDateTime;
    return (time ^ (static_cast<std::uint64_t>(data.nFileSizeLow) * 0x9E3779B97F4A7C15ULL)) | 1;
}

std::optional<IconId> SystemIndexOfFile(const std::wstring& path)
{
    // Without SHGFI_ADDOVERLAYS the shortcut arrow stays off.
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) == 0)
        return std::nullopt;
    return info.iIcon;
}

// An internet shortcut names its icon in its [InternetShortcut] section; without one
// the shell gives the handler's.
std::optional<IconId> SystemIndexOfUrlIcon(const std::wstring& path)
{
    wchar_t iconFile[MAX_PATH] = {};
    GetPrivateProfileStringW(L"InternetShortcut", L"IconFile", L"", iconFile, MAX_PATH, path.c_str());
    if (iconFile[0] == L'\0' || GetFileAttributesW(iconFile) == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    const int index = static_cast<int>(GetPrivateProfileIntW(L"InternetShortcut", L"IconIndex", 0, path.c_str()));
    const int found = CachedImageIndex(iconFile, index);
    return found >= 0 ? std::optional<IconId>(found) : std::nullopt;
}

bool IsUrlFile(const std::wstring& path)
{
    return path.size() >= 4 && _wcsicmp(path.c_str() + path.size() - 4, L".url") == 0;
}

std::optional<IconId> SystemIndexOfApp(const std::string& appUserModelId)
{
    const std::wstring name = L"shell:AppsFolder\\" + AnsiToWide(appUserModelId);
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(name.c_str(), nullptr, &item, 0, nullptr)) || item == nullptr)
        return std::nullopt; // no Applications folder (older Windows, Wine)
    SHFILEINFOW info{};
    const DWORD_PTR found = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item), 0, &info, sizeof(info),
                                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    CoTaskMemFree(item);
    return found != 0 ? std::optional<IconId>(info.iIcon) : std::nullopt;
}

// The window's small icon, asked with a time-out, else its class's; a copy of it.
UniqueIcon WindowIconOf(HWND window)
{
    for (const WPARAM kind : {static_cast<WPARAM>(ICON_SMALL2), static_cast<WPARAM>(ICON_SMALL)}) {
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(window, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, WindowIconTimeoutMs,
                                &icon) != 0
            && icon != 0)
            return UniqueIcon(CopyIcon(reinterpret_cast<HICON>(icon)));
    }
    for (const int kind : {GCLP_HICONSM, GCLP_HICON})
        if (const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, kind)))
            return UniqueIcon(CopyIcon(icon));
    return UniqueIcon();
}

// The generic program icon's index: an .exe by its name alone, no disk touched.
IconId GenericProgramIndex()
{
    static const IconId index = [] {
        SHFILEINFOW info{};
        if (SHGetFileInfoW(L"program.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)
            == 0)
            return GenericIcon;
        return static_cast<IconId>(info.iIcon);
    }();
    return index;
}

struct Found {
    IconAnswer Answer;
    // A window's own icon, put in the table on the user-interface thread.
    WindowHandle Window = 0;
    UniqueIcon WindowIcon;
};

// Everything the worker uses, shared with the lookups object: whichever ends last frees it.
struct Shared {
    std::mutex mutex;
    std::condition_variable waiting;
    IconQueue queue;
    std::vector<Found> found;
    bool abandoned = false;
    HWND notify = nullptr;
};

Found LookUp(const IconRequest& request)
{
    Found result;
    result.Answer.Slot = request.Slot;
    result.Answer.Epoch = request.Epoch;
    const IconSource& source = request.Source;
    std::optional<IconId> icon;
    switch (source.Of) {
    case IconSource::Kind::File: {
        const std::wstring path = AnsiToWide(source.Path);
        result.Answer.Stamp = StampOf(path);
        if (request.KnownStamp != 0 && result.Answer.Stamp == request.KnownStamp)
            return result; // unchanged
        icon = IsUrlFile(path) ? SystemIndexOfUrlIcon(path) : std::nullopt;
        if (!icon)
            icon = SystemIndexOfFile(path);
        break;
    }
    case IconSource::Kind::ModuleIcon: {
        const std::wstring path = AnsiToWide(source.Path);
        result.Answer.Stamp = StampOf(path);
        if (request.KnownStamp != 0 && result.Answer.Stamp == request.KnownStamp)
            return result;
        // A negative index names the icon resource of that id.
        const int found = CachedImageIndex(path, -source.Resource);
        if (found >= 0)
            icon = found;
        break;
    }
    case IconSource::Kind::PackagedApp:
        icon = SystemIndexOfApp(source.Path);
        break;
    case IconSource::Kind::Window:
        result.Window = source.Window;
        result.WindowIcon = WindowIconOf(reinterpret_cast<HWND>(source.Window));
        break;
    }
    result.Answer.Icon = icon.value_or(GenericIcon);
    return result;
}

// The worker: answers the newest questions first until the lookups are abandoned. It
// holds nothing of the user-interface thread's but the window it posts to, which may
// be gone by then (the post then fails and the answer is dropped with the state).
void Work(std::shared_ptr<Shared> shared)
{
    const ComApartment com;
    for (;;) {
        IconRequest request;
        {
            std::unique_lock lock(shared->mutex);
            shared->waiting.wait(lock, [&] { return shared->abandoned || !shared->queue.Empty(); });
            if (shared->abandoned)
                return;
            request = *shared->queue.Take();
        }
        Found found = LookUp(request);
        std::lock_guard lock(shared->mutex);
        if (shared->abandoned)
            return;
        const bool first = shared->found.empty();
        shared->found.push_back(std::move(found));
        if (first)
            PostMessageW(shared->notify, AnsweredMessage, 0, 0);
    }
}

class Lookups : public IIconLookups {
public:
    explicit Lookups(IIcons::Answered answered)
        : answered_(std::move(answered)),
          shared_(std::make_shared<Shared>()),
          window_([this](UINT message, WPARAM, LPARAM) { Handle(message); })
    {
        shared_->notify = window_.Handle();
        std::thread(Work, shared_).detach();
    }
    ~Lookups() override
    {
        {
            std::lock_guard lock(shared_->mutex);
            shared_->abandoned = true;
            shared_->queue.Clear();
        }
        shared_->waiting.notify_all();
    }
    Lookups(const Lookups&) = delete;
    Lookups& operator=(const Lookups&) = delete;

    void Ask(IconRequest request) override
    {
        asked_.push_back(std::move(request));
        // The rows drawn in this turn of the message loop make one batch.
        if (!flushPosted_)
            flushPosted_ = PostMessageW(window_.Handle(), FlushMessage, 0, 0) != FALSE;
    }

private:
    void Handle(UINT message)
    {
        if (message == FlushMessage) {
            flushPosted_ = false;
            {
                std::lock_guard lock(shared_->mutex);
                shared_->queue.PutFirst(std::move(asked_));
            }
            asked_.clear();
            shared_->waiting.notify_all();
        } else if (message == AnsweredMessage) {
            std::vector<Found> found;
            {
                std::lock_guard lock(shared_->mutex);
                found.swap(shared_->found);
            }
            for (Found& each : found) {
                if (each.WindowIcon)
                    each.Answer.Icon = CopiedWindowIcons().Keep(each.Window, std::move(each.WindowIcon));
                answered_(each.Answer);
            }
        }
    }

    IIcons::Answered answered_;
    std::shared_ptr<Shared> shared_;
    MessageWindow window_;
    std::vector<IconRequest> asked_;
    bool flushPosted_ = false;
};

// The shell's image lists live as long as the process; each is asked for once. The
// interface's id is spelled out: mingw's uuid library lacks IID_IImageList.
HIMAGELIST SystemImageList(int which)
{
    static const IID imageListId = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
    static std::map<int, HIMAGELIST> lists;
    const auto [found, added] = lists.try_emplace(which, nullptr);
    if (added && FAILED(SHGetImageList(which, imageListId, reinterpret_cast<void**>(&found->second))))
        found->second = nullptr;
    return found->second;
}

} // namespace

std::unique_ptr<IIconLookups> Icons::StartLookups(Answered answered)
{
    return std::make_unique<Lookups>(std::move(answered));
}

void DrawListIcon(HDC dc, int x, int y, int size, IconId icon)
{
    if (icon < GenericIcon) {
        if (HICON own = CopiedWindowIcons().Find(icon)) {
            DrawIconEx(dc, x, y, own, size, size, 0, nullptr, DI_NORMAL);
            return;
        }
        icon = GenericIcon;
    }
    if (icon == GenericIcon)
        icon = GenericProgramIndex();
    if (icon < 0)
        return;
    // The lists hold the same images at their sizes: the one of this size is drawn as it
    // is, crisp; otherwise the nearest larger one is scaled down.
    HIMAGELIST best = nullptr;
    int bestSize = 0;
    for (const int which : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE}) {
        HIMAGELIST list = SystemImageList(which);
        int width = 0;
        int height = 0;
        if (list == nullptr || !ImageList_GetIconSize(list, &width, &height))
            continue;
        const bool better = best == nullptr || (bestSize < size ? width > bestSize : width >= size && width < bestSize);
        if (better) {
            best = list;
            bestSize = width;
        }
    }
    if (best == nullptr)
        return;
    if (bestSize == size) {
        ImageList_Draw(best, icon, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    UniqueIcon drawn(ImageList_GetIcon(best, icon, ILD_TRANSPARENT));
    if (drawn)
        DrawIconEx(dc, x, y, drawn.Get(), size, size, 0, nullptr, DI_NORMAL);
}

} // namespace platform::win32
