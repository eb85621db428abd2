#pragma once
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "platform/KernelObjects.h"

namespace platform::headless {

// Named kernel objects kept in memory and shared by name within this process, so that
// two instances in one test talk as two processes would. Safe to use from any thread.
// Time-outs run on a simulated clock that moves only when a test advances it, so a wait
// never times out by itself.
class KernelObjects : public IKernelObjects {
public:
    KernelObjects();
    ~KernelObjects() override;
    KernelObjects(const KernelObjects&) = delete;
    KernelObjects& operator=(const KernelObjects&) = delete;

    MutexResult NewMutex(const std::string& name, bool initialOwner) override;
    std::unique_ptr<IKernelEvent> NewEvent(const std::string& name, bool manualReset, bool initiallySet) override;
    SharedMemoryResult NewSharedMemory(const std::string& name, std::size_t size) override;
    EventWaitResult WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds) override;
    std::uint64_t TickCount() override;
    // Yields briefly in real time; simulated time stands still.
    void Sleep(std::uint32_t milliseconds) override;

    // Moves simulated time forward, ending the waits that fall due.
    void AdvanceTime(std::uint64_t milliseconds);
    // Threads blocked right now in a wait for the named mutex or event.
    int WaitingFor(const std::string& name) const;
    // Whether an object of that name is open anywhere.
    bool Exists(const std::string& name) const;
    // The next NewSharedMemory fails at this step (once).
    SharedMemoryFailure FailNextSharedMemory = SharedMemoryFailure::None;
    // The next NewMutex fails as the real one does when it gets no handle (once).
    bool FailNextMutex = false;
    // While set, every wait fails at once, as a wait on a handle gone bad does.
    std::atomic<bool> FailWaits = false;
    // Names whose objects another user made first: refused as the real ones are.
    std::set<std::string> ForeignNames;
    // Waits made by WaitForAny so far.
    std::atomic<int> WaitsForAny = 0;

    struct Shared; // the state every object lives in, outlived by its objects

private:
    std::shared_ptr<Shared> shared_;
};

} // namespace platform::headless
