#include "platform/win32/KernelObjects.h"

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

using UniqueMappedView = UniqueHandle<void*, &UnmapViewOfFile>;

class Mutex : public IKernelMutex {
public:
    explicit Mutex(HANDLE handle) : handle_(handle) {}
    WaitResult Wait(std::uint32_t milliseconds) override
    {
        switch (WaitForSingleObject(handle_.Get(), milliseconds)) {
        case WAIT_OBJECT_0:
            return WaitResult::Obtained;
        case WAIT_ABANDONED:
            return WaitResult::Abandoned;
        case WAIT_TIMEOUT:
            return WaitResult::TimedOut;
        default:
            return WaitResult::Failed;
        }
    }
    void Release() override { ReleaseMutex(handle_.Get()); }

private:
    UniqueKernelHandle handle_;
};

class Event : public IKernelEvent {
public:
    explicit Event(HANDLE handle) : handle_(handle) {}
    void Set() override { SetEvent(handle_.Get()); }
    HANDLE Handle() const { return handle_.Get(); }

private:
    UniqueKernelHandle handle_;
};

class SharedMemory : public ISharedMemory {
public:
    SharedMemory(UniqueKernelHandle mapping, UniqueMappedView view, std::size_t size)
        : mapping_(std::move(mapping)), view_(std::move(view)), size_(size)
    {
    }
    char* View() override { return static_cast<char*>(view_.Get()); }
    std::size_t Size() const override { return size_; }

private:
    UniqueKernelHandle mapping_;
    UniqueMappedView view_; // unmapped before the mapping closes
    std::size_t size_;
};

} // namespace

std::unique_ptr<IKernelMutex> KernelObjects::NewMutex(const std::string& name, bool initialOwner,
                                                      bool& alreadyExisted)
{
    HANDLE handle = CreateMutexA(nullptr, initialOwner, name.c_str());
    if (handle == nullptr)
        RaiseLastOSError();
    alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    return std::make_unique<Mutex>(handle);
}

std::unique_ptr<IKernelEvent> KernelObjects::NewEvent(const std::string& name, bool manualReset, bool initiallySet)
{
    HANDLE handle = CreateEventA(nullptr, manualReset, initiallySet, name.empty() ? nullptr : name.c_str());
    if (handle == nullptr)
        RaiseLastOSError();
    return std::make_unique<Event>(handle);
}

std::unique_ptr<ISharedMemory> KernelObjects::NewSharedMemory(const std::string& name, std::size_t size,
                                                              SharedMemoryFailure& failure)
{
    failure = SharedMemoryFailure::None;
    // When another process created the block first, this returns a handle to that one.
    UniqueKernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  static_cast<DWORD>(size), name.c_str()));
    if (!mapping) {
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            failure = SharedMemoryFailure::Create;
            return nullptr;
        }
        mapping.Reset(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str()));
        if (!mapping) {
            failure = SharedMemoryFailure::Open;
            return nullptr;
        }
    }
    UniqueMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        failure = SharedMemoryFailure::Map;
        return nullptr;
    }
    // The view reaches as far as the block its creator made (in whole pages).
    MEMORY_BASIC_INFORMATION region = {};
    const std::size_t mapped =
        VirtualQuery(view.Get(), &region, sizeof region) == sizeof region ? region.RegionSize : 0;
    return std::make_unique<SharedMemory>(std::move(mapping), std::move(view), mapped);
}

int KernelObjects::WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds)
{
    std::vector<HANDLE> handles;
    for (IKernelEvent* event : events) {
        const auto* ours = dynamic_cast<const Event*>(event);
        if (ours == nullptr)
            return WaitFailed;
        handles.push_back(ours->Handle());
    }
    if (handles.empty() || handles.size() > MAXIMUM_WAIT_OBJECTS)
        return WaitFailed;
    const DWORD result =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, milliseconds);
    if (result < WAIT_OBJECT_0 + handles.size())
        return static_cast<int>(result - WAIT_OBJECT_0);
    return result == WAIT_TIMEOUT ? WaitTimedOut : WaitFailed;
}

std::uint64_t KernelObjects::TickCount()
{
    return GetTickCount64();
}

void KernelObjects::Sleep(std::uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

} // namespace platform::win32
