#pragma once
#include <deque>
#include <optional>
#include <vector>

#include "platform/Icons.h"

namespace platform {

// The waiting icon requests, newest batch first (the rows the user sees now come
// before those seen earlier). Not thread-safe: the owner locks.
class IconQueue {
public:
    // Puts the batch before everything waiting; an older request of one of its slots goes.
    void PutFirst(std::vector<IconRequest> batch);
    std::optional<IconRequest> Take();
    bool Empty() const { return waiting_.empty(); }
    void Clear() { waiting_.clear(); }

private:
    std::deque<IconRequest> waiting_;
};

} // namespace platform
