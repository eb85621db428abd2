#pragma once
#include "platform/KernelObjects.h"

namespace platform::win32 {

// Named mutexes, events and paging-file-backed shared memory of the Windows kernel. The
// names have no namespace prefix, so they are per desktop session.
class KernelObjects : public IKernelObjects {
public:
    MutexResult NewMutex(const std::string& name, bool initialOwner) override;
    std::unique_ptr<IKernelEvent> NewEvent(const std::string& name, bool manualReset, bool initiallySet) override;
    SharedMemoryResult NewSharedMemory(const std::string& name, std::size_t size) override;
    EventWaitResult WaitForAny(std::span<IKernelEvent* const> events, std::uint32_t milliseconds) override;
    std::uint64_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
};

} // namespace platform::win32
