#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "common/Exception.h"

namespace platform {

// A named object that exists already but was made by another user, or is not the kind
// of object its name stands for: using it would let someone else read or forge what
// passes through it.
class EForeignObject : public Exception {
public:
    using Exception::Exception;
};

// How a wait for a mutex ended.
enum class WaitResult {
    Obtained,
    Abandoned, // obtained, but its last owner ended without releasing it
    TimedOut,
    Failed,
};

// Waits given this many milliseconds never time out.
inline constexpr std::uint32_t WaitForever = 0xFFFFFFFF;

// A mutex shared by name between processes. Ownership belongs to the thread that
// obtained it and may be taken again by that thread (each take needs a release).
class IKernelMutex {
public:
    virtual ~IKernelMutex() = default;
    virtual WaitResult Wait(std::uint32_t milliseconds) = 0;
    virtual void Release() = 0;
};

// An event, named (shared between processes) or private to this process.
class IKernelEvent {
public:
    virtual ~IKernelEvent() = default;
    virtual void Set() = 0;
};

// A block of memory shared by name, mapped into this process for reading and writing.
class ISharedMemory {
public:
    virtual ~ISharedMemory() = default;
    virtual char* View() = 0;
    // The bytes the view reaches; at least the size the block was created with.
    virtual std::size_t Size() const = 0;
};

// A named mutex as IKernelObjects::NewMutex made or found it.
struct MutexResult {
    enum class Outcome {
        Created,
        Existed,     // made by another instance before; an initial owner was not granted
        Unavailable, // neither made nor opened: Error says why
    };
    Outcome How = Outcome::Unavailable;
    std::unique_ptr<IKernelMutex> Mutex; // null exactly when Unavailable
    std::string Error;                   // the system's message when Unavailable
};

// Which step of getting a shared-memory block went wrong; Foreign: it exists, made by
// another user.
enum class SharedMemoryFailure { None, Create, Open, Map, Foreign };

struct SharedMemoryResult {
    std::unique_ptr<ISharedMemory> Block; // null exactly when a step failed
    SharedMemoryFailure Failure = SharedMemoryFailure::None;
};

// How IKernelObjects::WaitForAny ended: which event was taken, or why none was.
struct EventWaitResult {
    enum class Outcome { Taken, TimedOut, Failed };
    Outcome How = Outcome::Failed;
    std::size_t Index = 0; // of the event taken

    static EventWaitResult Taken(std::size_t index) { return {Outcome::Taken, index}; }
    static EventWaitResult TimedOut() { return {Outcome::TimedOut, 0}; }
    static EventWaitResult Failed() { return {Outcome::Failed, 0}; }
    bool operator==(const EventWaitResult&) const = default;
};

// Named kernel objects for talking between instances on one desktop. A name refers to
// the same object in every process until the last handle to it is closed. Named
// objects are made for the current user alone; one that exists already is used only
// when the current user made it (else EForeignObject, or the Foreign failure).
class IKernelObjects {
public:
    virtual ~IKernelObjects() = default;
    // Creates the named mutex, or opens it when it exists already; says which, or that
    // neither worked. Throws EForeignObject for another user's.
    virtual MutexResult NewMutex(const std::string& name, bool initialOwner) = 0;
    // An empty name gives an event private to this process. Throws Exception on failure,
    // EForeignObject also when an existing named event does not reset as asked.
    virtual std::unique_ptr<IKernelEvent> NewEvent(const std::string& name, bool manualReset,
                                                   bool initiallySet) = 0;
    // Creates the named block of `size` bytes, or opens the existing one, and maps it;
    // on failure says which step failed.
    virtual SharedMemoryResult NewSharedMemory(const std::string& name, std::size_t size) = 0;
    // Waits until one of the events is set and takes it (an automatic-reset event is reset
    // by being taken), or until the time is up.
    virtual EventWaitResult WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds) = 0;
    // Milliseconds on the clock that the waits above time out by.
    virtual std::uint64_t TickCount() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

} // namespace platform
