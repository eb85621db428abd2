#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/KernelObjects.h"

class TInstanceMessaging;

inline constexpr const char* InstanceLockName = "zephyrix-[{8630476D-92D9-41CD-AE9E-5FD4DB18ACC6}]";

// The single-instance lock: held by the first instance for its whole run.
class TInstanceLock {
public:
    // Takes the lock; true in the first instance. A lock that exists already, or cannot
    // be had at all, means another instance runs: then nothing stays open here, so that a
    // start made right after the running instance ends becomes the first instance, even
    // while this one is still busy sending its text.
    bool CheckSingleInstance(const std::string& name = InstanceLockName);
    // Lets a new instance start from here on.
    void Release() { lock_.reset(); }
    bool Held() const { return lock_ != nullptr; }

private:
    std::unique_ptr<platform::IKernelMutex> lock_;
};

// A second start's whole work: its arguments, or else the wake-up, to the running
// instance. Its arguments bring the window forward too, so one text is enough.
void ForwardToRunningInstance(TInstanceMessaging& messaging, const std::vector<std::string>& arguments);
