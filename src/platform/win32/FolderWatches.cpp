#include "platform/win32/FolderWatches.h"

#include <windows.h>

#include <thread>

#include "common/Exception.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {
constexpr UINT ChangeReported = WM_APP + 1;

class ChangeHandle {
public:
    explicit ChangeHandle(HANDLE handle) : handle_(handle) {}
    ChangeHandle(const ChangeHandle&) = delete;
    ChangeHandle& operator=(const ChangeHandle&) = delete;
    ~ChangeHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindCloseChangeNotification(handle_);
    }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class FolderWatch : public IFolderWatch {
public:
    FolderWatch(const std::string& folder, std::function<void()> onChange)
        : change_(FindFirstChangeNotificationA(folder.c_str(), TRUE,
                                               FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)),
          window_([onChange = std::move(onChange)](UINT message, WPARAM, LPARAM) {
              if (message == ChangeReported)
                  onChange();
          })
    {
        if (!change_.Valid())
            throw Exception("Invalid folder");
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
        const HANDLE handles[] = {stop_.Get(), change_.Get()};
        while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            PostMessageA(window_.Handle(), ChangeReported, 0, 0);
            if (!FindNextChangeNotification(change_.Get()))
                return;
        }
    }

    ChangeHandle change_;
    MessageWindow window_;
    UniqueKernelHandle stop_;
    std::thread waiter_;
};
} // namespace

std::unique_ptr<IFolderWatch> FolderWatches::WatchTree(const std::string& folder, std::function<void()> onChange)
{
    return std::make_unique<FolderWatch>(folder, std::move(onChange));
}

} // namespace platform::win32
