#include "platform/win32/FolderWatches.h"

#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

#include "common/Exception.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {
constexpr UINT ChangesQueued = WM_APP + 1;
// The system's own limit for a buffer of a watch on a network share; plenty locally.
constexpr DWORD BufferBytes = 64 * 1024;
// More changes than this waiting for the user-interface thread are not kept one by one.
constexpr std::size_t MaxQueuedChanges = 100000;

HANDLE OpenDirectory(const std::string& folder)
{
    const HANDLE directory =
        CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    return directory == INVALID_HANDLE_VALUE ? nullptr : directory;
}

// One directory handle reading one kind of name.
class Channel {
public:
    Channel(const std::string& folder, bool folders, bool subtree)
        : directory_(OpenDirectory(folder)),
          event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), buffer_(BufferBytes / sizeof(DWORD)), folders_(folders),
          subtree_(subtree)
    {
        // A file opens as well, but cannot be read for changes: Read refuses it.
        if (!directory_)
            throw Exception("Invalid folder");
        if (!event_)
            RaiseLastOSError();
        if (!Read())
            throw Exception("Invalid folder");
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
    ~Channel()
    {
        if (pending_) {
            // The buffer must outlive the read: cancel it and wait until it has ended.
            CancelIoEx(directory_.Get(), &overlapped_);
            DWORD bytes = 0;
            GetOverlappedResult(directory_.Get(), &overlapped_, &bytes, TRUE);
        }
    }

    HANDLE Event() const { return event_.Get(); }
    bool Open() const { return pending_; }

    // After the event: adds what the read reported, then reads again. A read that failed
    // for good (the folder went) reports lost changes and ends this channel.
    void Collect(FolderChanges& into)
    {
        pending_ = false;
        DWORD bytes = 0;
        if (!GetOverlappedResult(directory_.Get(), &overlapped_, &bytes, FALSE)) {
            into.Lost = true; // ERROR_NOTIFY_ENUM_DIR: more changes than the buffer held
            if (GetLastError() != ERROR_NOTIFY_ENUM_DIR)
                return;
        } else if (bytes == 0) {
            into.Lost = true; // the same, as some systems report it
        } else {
            Parse(bytes, into);
        }
        if (!Read())
            into.Lost = true;
    }

private:
    bool Read()
    {
        ResetEvent(event_.Get());
        overlapped_ = {};
        overlapped_.hEvent = event_.Get();
        const DWORD filter = folders_ ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME;
        pending_ = ReadDirectoryChangesW(directory_.Get(), buffer_.data(), BufferBytes, subtree_ ? TRUE : FALSE, filter,
                                         nullptr, &overlapped_, nullptr) != 0;
        return pending_;
    }

    void Parse(DWORD bytes, FolderChanges& into) const
    {
        const auto* base = reinterpret_cast<const BYTE*>(buffer_.data());
        DWORD offset = 0;
        while (offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes) {
            const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
            FolderChange change;
            change.IsFolder = folders_;
            change.Path = WideToAnsi(std::wstring_view(info->FileName, info->FileNameLength / sizeof(WCHAR)));
            switch (info->Action) {
            case FILE_ACTION_ADDED: change.What = FolderChange::Action::Added; break;
            case FILE_ACTION_REMOVED: change.What = FolderChange::Action::Removed; break;
            case FILE_ACTION_RENAMED_OLD_NAME: change.What = FolderChange::Action::RenamedFrom; break;
            case FILE_ACTION_RENAMED_NEW_NAME: change.What = FolderChange::Action::RenamedTo; break;
            default: change.What = FolderChange::Action::Added; break; // not asked for; harmless
            }
            into.Changes.push_back(std::move(change));
            if (info->NextEntryOffset == 0)
                break;
            offset += info->NextEntryOffset;
        }
    }

    UniqueKernelHandle directory_;
    UniqueKernelHandle event_;
    std::vector<DWORD> buffer_; // DWORD-aligned, as the call requires
    OVERLAPPED overlapped_{};
    bool folders_;
    bool subtree_;
    bool pending_ = false;
};

class FolderWatch : public IFolderWatch {
public:
    FolderWatch(const std::string& folder, bool tree, IFolderWatches::Handler onChanges)
        : window_([this, onChanges = std::move(onChanges)](UINT message, WPARAM, LPARAM) {
              if (message == ChangesQueued)
                  onChanges(Take());
          })
    {
        if (tree)
            channels_.push_back(std::make_unique<Channel>(folder, false, true));
        channels_.push_back(std::make_unique<Channel>(folder, true, tree));
        stop_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!stop_)
            RaiseLastOSError();
        waiter_ = std::thread([this] { Wait(); });
    }

    ~FolderWatch() override
    {
        SetEvent(stop_.Get());
        waiter_.join();
    }

private:
    void Wait()
    {
        for (;;) {
            std::vector<HANDLE> handles{stop_.Get()};
            std::vector<Channel*> open;
            for (const auto& channel : channels_)
                if (channel->Open()) {
                    handles.push_back(channel->Event());
                    open.push_back(channel.get());
                }
            const DWORD signalled =
                WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
            if (signalled <= WAIT_OBJECT_0 || signalled >= WAIT_OBJECT_0 + handles.size())
                return; // stopped, or the wait itself failed
            FolderChanges found;
            open[signalled - WAIT_OBJECT_0 - 1]->Collect(found);
            Queue(std::move(found));
        }
    }

    void Queue(FolderChanges found)
    {
        bool post = false;
        {
            const std::lock_guard lock(mutex_);
            queued_.Lost = queued_.Lost || found.Lost;
            if (queued_.Changes.size() + found.Changes.size() > MaxQueuedChanges) {
                queued_.Lost = true;
                queued_.Changes.clear();
            } else {
                queued_.Changes.insert(queued_.Changes.end(), std::make_move_iterator(found.Changes.begin()),
                                       std::make_move_iterator(found.Changes.end()));
            }
            post = !posted_ && (queued_.Lost || !queued_.Changes.empty());
            posted_ = posted_ || post;
        }
        if (post)
            PostMessageA(window_.Handle(), ChangesQueued, 0, 0);
    }

    FolderChanges Take()
    {
        const std::lock_guard lock(mutex_);
        posted_ = false;
        FolderChanges taken = std::move(queued_);
        queued_ = {};
        return taken;
    }

    std::vector<std::unique_ptr<Channel>> channels_;
    MessageWindow window_;
    UniqueKernelHandle stop_;
    std::mutex mutex_;
    FolderChanges queued_;
    bool posted_ = false;
    std::thread waiter_;
};
} // namespace

std::unique_ptr<IFolderWatch> FolderWatches::WatchTree(const std::string& folder, Handler onChanges)
{
    return std::make_unique<FolderWatch>(folder, true, std::move(onChanges));
}

std::unique_ptr<IFolderWatch> FolderWatches::WatchFolderNames(const std::string& folder, Handler onChanges)
{
    return std::make_unique<FolderWatch>(folder, false, std::move(onChanges));
}

} // namespace platform::win32
