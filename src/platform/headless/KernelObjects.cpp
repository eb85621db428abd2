#include "platform/headless/KernelObjects.h"

#include <chrono>
#include <limits>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "common/Exception.h"

namespace platform::headless {

namespace {

constexpr std::size_t PageSize = 4096;

struct MutexState {
    std::thread::id Owner;
    int Count = 0;
    bool Abandoned = false;
    int Waiters = 0;
};

struct EventState {
    bool ManualReset = false;
    bool Set = false;
    int Waiters = 0;
};

struct BlockState {
    std::vector<char> Bytes;
};

// Finds the live object of that name or makes one; an empty name is never shared.
template <class State, class Make>
std::shared_ptr<State> Lookup(std::map<std::string, std::weak_ptr<State>>& named, const std::string& name,
                              bool& existed, Make make)
{
    existed = false;
    if (!name.empty()) {
        if (auto found = named[name].lock()) {
            existed = true;
            return found;
        }
    }
    auto state = make();
    if (!name.empty())
        named[name] = state;
    return state;
}

} // namespace

struct KernelObjects::Shared {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::uint64_t Now = 0;
    std::map<std::string, std::weak_ptr<MutexState>> Mutexes;
    std::map<std::string, std::weak_ptr<EventState>> Events;
    std::map<std::string, std::weak_ptr<BlockState>> Blocks;

    std::uint64_t Deadline(std::uint32_t milliseconds) const
    {
        return milliseconds == WaitForever ? std::numeric_limits<std::uint64_t>::max() : Now + milliseconds;
    }
};

namespace {

class Mutex : public IKernelMutex {
public:
    Mutex(std::shared_ptr<KernelObjects::Shared> shared, std::shared_ptr<MutexState> state,
          const std::atomic<bool>& failWaits)
        : shared_(std::move(shared)), state_(std::move(state)), failWaits_(failWaits)
    {
    }
    ~Mutex() override
    {
        // Like a process that ends while it owns the mutex: the next waiter gets it abandoned.
        std::lock_guard lock(shared_->Mutex);
        if (held_ > 0 && state_->Count > 0) {
            state_->Count = 0;
            state_->Owner = {};
            state_->Abandoned = true;
            shared_->Changed.notify_all();
        }
    }

    WaitResult Wait(std::uint32_t milliseconds) override
    {
        if (failWaits_)
            return WaitResult::Failed;
        std::unique_lock lock(shared_->Mutex);
        const auto self = std::this_thread::get_id();
        const std::uint64_t deadline = shared_->Deadline(milliseconds);
        const auto free = [&] { return state_->Count == 0 || state_->Owner == self; };
        ++state_->Waiters;
        shared_->Changed.wait(lock, [&] { return free() || shared_->Now >= deadline; });
        --state_->Waiters;
        if (!free())
            return WaitResult::TimedOut;
        state_->Owner = self;
        ++state_->Count;
        ++held_;
        return std::exchange(state_->Abandoned, false) ? WaitResult::Abandoned : WaitResult::Obtained;
    }

    void Release() override
    {
        std::lock_guard lock(shared_->Mutex);
        if (state_->Count == 0 || state_->Owner != std::this_thread::get_id())
            return; // not the owner: refused, as the real one refuses
        --held_;
        if (--state_->Count == 0) {
            state_->Owner = {};
            shared_->Changed.notify_all();
        }
    }

private:
    std::shared_ptr<KernelObjects::Shared> shared_;
    std::shared_ptr<MutexState> state_;
    const std::atomic<bool>& failWaits_;
    int held_ = 0; // takes through this handle not yet released
};

class Event : public IKernelEvent {
public:
    Event(std::shared_ptr<KernelObjects::Shared> shared, std::shared_ptr<EventState> state)
        : shared_(std::move(shared)), state_(std::move(state))
    {
    }
    void Set() override
    {
        std::lock_guard lock(shared_->Mutex);
        state_->Set = true;
        shared_->Changed.notify_all();
    }
    EventState& State() { return *state_; }

private:
    std::shared_ptr<KernelObjects::Shared> shared_;
    std::shared_ptr<EventState> state_;
};

class SharedMemory : public ISharedMemory {
public:
    explicit SharedMemory(std::shared_ptr<BlockState> state) : state_(std::move(state)) {}
    char* View() override { return state_->Bytes.data(); }
    std::size_t Size() const override { return state_->Bytes.size(); }

private:
    std::shared_ptr<BlockState> state_;
};

} // namespace

KernelObjects::KernelObjects() : shared_(std::make_shared<Shared>()) {}

KernelObjects::~KernelObjects() = default;

MutexResult KernelObjects::NewMutex(const std::string& name, bool initialOwner)
{
    if (std::exchange(FailNextMutex, false))
        return {MutexResult::Outcome::Unavailable, nullptr, "The system cannot create the mutex " + name + "."};
    if (ForeignNames.count(name) != 0)
        throw EForeignObject("The named object \"" + name + "\" belongs to another user.");
    std::unique_ptr<Mutex> mutex;
    bool existed = false;
    {
        std::lock_guard lock(shared_->Mutex);
        auto state = Lookup(shared_->Mutexes, name, existed, [] { return std::make_shared<MutexState>(); });
        mutex = std::make_unique<Mutex>(shared_, std::move(state), FailWaits);
    }
    if (initialOwner && !existed)
        mutex->Wait(0);
    return {existed ? MutexResult::Outcome::Existed : MutexResult::Outcome::Created, std::move(mutex), {}};
}

std::unique_ptr<IKernelEvent> KernelObjects::NewEvent(const std::string& name, bool manualReset, bool initiallySet)
{
    if (ForeignNames.count(name) != 0)
        throw EForeignObject("The named object \"" + name + "\" belongs to another user.");
    std::lock_guard lock(shared_->Mutex);
    bool existed = false;
    auto state = Lookup(shared_->Events, name, existed, [&] {
        auto made = std::make_shared<EventState>();
        made->ManualReset = manualReset;
        made->Set = initiallySet;
        return made;
    });
    return std::make_unique<Event>(shared_, std::move(state));
}

SharedMemoryResult KernelObjects::NewSharedMemory(const std::string& name, std::size_t size)
{
    std::lock_guard lock(shared_->Mutex);
    SharedMemoryFailure failure = std::exchange(FailNextSharedMemory, SharedMemoryFailure::None);
    if (ForeignNames.count(name) != 0)
        failure = SharedMemoryFailure::Foreign;
    if (failure != SharedMemoryFailure::None)
        return {nullptr, failure};
    bool existed = false;
    // An existing block keeps the size its creator gave it, as the real one does, and
    // like the real one it is made of whole pages: a view reaches to the last page's end.
    auto state = Lookup(shared_->Blocks, name, existed, [&] {
        auto made = std::make_shared<BlockState>();
        made->Bytes.assign((size + PageSize - 1) / PageSize * PageSize, 0);
        return made;
    });
    return {std::make_unique<SharedMemory>(std::move(state)), SharedMemoryFailure::None};
}

EventWaitResult KernelObjects::WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds)
{
    ++WaitsForAny;
    if (FailWaits)
        return EventWaitResult::Failed();
    std::vector<EventState*> states;
    for (IKernelEvent* event : events) {
        auto* ours = dynamic_cast<Event*>(event);
        if (ours == nullptr)
            return EventWaitResult::Failed();
        states.push_back(&ours->State());
    }
    std::unique_lock lock(shared_->Mutex);
    const std::uint64_t deadline = shared_->Deadline(milliseconds);
    std::optional<std::size_t> taken;
    const auto anySet = [&] {
        for (std::size_t index = 0; index < states.size(); ++index) {
            if (states[index]->Set) {
                taken = index;
                return true;
            }
        }
        return false;
    };
    for (EventState* state : states)
        ++state->Waiters;
    shared_->Changed.wait(lock, [&] { return anySet() || shared_->Now >= deadline; });
    for (EventState* state : states)
        --state->Waiters;
    if (!taken)
        return EventWaitResult::TimedOut();
    if (!states[*taken]->ManualReset)
        states[*taken]->Set = false;
    return EventWaitResult::Taken(*taken);
}

std::uint64_t KernelObjects::TickCount()
{
    std::lock_guard lock(shared_->Mutex);
    return shared_->Now;
}

void KernelObjects::Sleep(std::uint32_t)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void KernelObjects::AdvanceTime(std::uint64_t milliseconds)
{
    std::lock_guard lock(shared_->Mutex);
    shared_->Now += milliseconds;
    shared_->Changed.notify_all();
}

int KernelObjects::WaitingFor(const std::string& name) const
{
    std::lock_guard lock(shared_->Mutex);
    const auto waiters = [&](const auto& named) {
        const auto found = named.find(name);
        const auto state = found == named.end() ? nullptr : found->second.lock();
        return state ? state->Waiters : 0;
    };
    return waiters(shared_->Mutexes) + waiters(shared_->Events);
}

bool KernelObjects::Exists(const std::string& name) const
{
    std::lock_guard lock(shared_->Mutex);
    const auto live = [&](const auto& named) {
        const auto found = named.find(name);
        return found != named.end() && !found->second.expired();
    };
    return live(shared_->Mutexes) || live(shared_->Events) || live(shared_->Blocks);
}

} // namespace platform::headless
