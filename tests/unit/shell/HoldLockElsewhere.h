#pragma once
#include <cstddef>
#include <future>
#include <memory>
#include <string>

#include "shell/ipcFilemap.h"

// Holds the lock of the named block on another thread, as another instance would, until
// the release promise is kept; returns once the lock is held. The returned future ends
// with the holding thread.
inline std::future<void> HoldLockElsewhere(const std::string& block, std::size_t size, std::promise<void>& release)
{
    auto held = std::make_shared<std::promise<void>>();
    auto isHeld = held->get_future();
    auto holding = std::async(std::launch::async, [&release, held, block, size] {
        TFileMapping other(block, size);
        other.Lock();
        held->set_value();
        release.get_future().wait();
        other.Unlock();
    });
    isHeld.wait();
    return holding;
}
