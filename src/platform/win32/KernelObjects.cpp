#include "platform/win32/KernelObjects.h"

#include <optional>
#include <utility>
#include <vector>

#include "common/Exception.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/UserOnlySecurity.h"

namespace platform::win32 {

namespace {

using UniqueMappedView = UniqueHandle<void*, &UnmapViewOfFile>;

class Mutex : public IKernelMutex {
public:
    explicit Mutex(UniqueKernelHandle handle) : handle_(std::move(handle)) {}
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
    explicit Event(UniqueKernelHandle handle) : handle_(std::move(handle)) {}
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

// An existing object whose access list keeps this user out: only another account can
// have made it so.
constexpr const char* HeldByAnotherAccount = "is held by another account, whose access list keeps this one out";

[[noreturn]] void RaiseForeign(const std::string& name, const char* what)
{
    throw EForeignObject("The named object \"" + name + "\" " + what + ".");
}

} // namespace

MutexResult KernelObjects::NewMutex(const std::string& name, bool initialOwner)
{
    // Without the user's security no mutex can be made either: the same outcome.
    std::optional<UserOnlySecurity> security;
    try {
        security.emplace();
    } catch (const Exception& error) {
        return {MutexResult::Outcome::Unavailable, nullptr, error.what()};
    }
    UniqueKernelHandle handle(CreateMutexA(security->Attributes(), initialOwner, name.c_str()));
    if (!handle && GetLastError() == ERROR_ACCESS_DENIED)
        RaiseForeign(name, HeldByAnotherAccount);
    if (!handle)
        return {MutexResult::Outcome::Unavailable, nullptr, SystemErrorMessage(GetLastError())};
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (existed && !security->OwnedByUser(handle.Get()))
        RaiseForeign(name, "belongs to another user");
    return {existed ? MutexResult::Outcome::Existed : MutexResult::Outcome::Created,
            std::make_unique<Mutex>(std::move(handle)),
            {}};
}

std::unique_ptr<IKernelEvent> KernelObjects::NewEvent(const std::string& name, bool manualReset, bool initiallySet)
{
    if (name.empty()) {
        UniqueKernelHandle handle(CreateEventA(nullptr, manualReset, initiallySet, nullptr));
        if (!handle)
            RaiseLastOSError();
        return std::make_unique<Event>(std::move(handle));
    }
    UserOnlySecurity security;
    UniqueKernelHandle handle(CreateEventA(security.Attributes(), manualReset, initiallySet, name.c_str()));
    if (!handle && GetLastError() == ERROR_ACCESS_DENIED)
        RaiseForeign(name, HeldByAnotherAccount);
    if (!handle)
        RaiseLastOSError();
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!security.OwnedByUser(handle.Get()))
            RaiseForeign(name, "belongs to another user");
        // A manual-reset event stays set once signalled: every wait would take it again.
        if (IsAutoResetEvent(handle.Get()) == manualReset)
            RaiseForeign(name, manualReset ? "is not a manual-reset event" : "is not an automatic-reset event");
    }
    return std::make_unique<Event>(std::move(handle));
}

SharedMemoryResult KernelObjects::NewSharedMemory(const std::string& name, std::size_t size)
{
    UserOnlySecurity security;
    // When another process created the block first, this returns a handle to that one.
    UniqueKernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE, 0,
                                                  static_cast<DWORD>(size), name.c_str()));
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!mapping && GetLastError() == ERROR_ACCESS_DENIED)
        return {nullptr, SharedMemoryFailure::Foreign};
    if (!mapping) {
        if (!existed) {
            return {nullptr, SharedMemoryFailure::Create};
        }
        // Its owner is read through the handle: READ_CONTROL.
        mapping.Reset(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE | READ_CONTROL, FALSE, name.c_str()));
        if (!mapping) {
            return {nullptr, SharedMemoryFailure::Open};
        }
    }
    if (existed && !security.OwnedByUser(mapping.Get())) {
        return {nullptr, SharedMemoryFailure::Foreign};
    }
    UniqueMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        return {nullptr, SharedMemoryFailure::Map};
    }
    // The view reaches as far as the block its creator made (in whole pages).
    MEMORY_BASIC_INFORMATION region = {};
    const std::size_t mapped =
        VirtualQuery(view.Get(), &region, sizeof region) == sizeof region ? region.RegionSize : 0;
    return {std::make_unique<SharedMemory>(std::move(mapping), std::move(view), mapped), SharedMemoryFailure::None};
}

EventWaitResult KernelObjects::WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds)
{
    std::vector<HANDLE> handles;
    for (IKernelEvent* event : events) {
        const auto* ours = dynamic_cast<const Event*>(event);
        if (ours == nullptr)
            return EventWaitResult::Failed();
        handles.push_back(ours->Handle());
    }
    if (handles.empty() || handles.size() > MAXIMUM_WAIT_OBJECTS)
        return EventWaitResult::Failed();
    const DWORD result =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, milliseconds);
    if (result < WAIT_OBJECT_0 + handles.size())
        return EventWaitResult::Taken(result - WAIT_OBJECT_0);
    return result == WAIT_TIMEOUT ? EventWaitResult::TimedOut() : EventWaitResult::Failed();
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
