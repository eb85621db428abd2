#include "platform/IconQueue.h"

#include <algorithm>
#include <unordered_set>

namespace platform {

void IconQueue::PutFirst(std::vector<IconRequest> batch)
{
    std::unordered_set<std::uint32_t> slots;
    std::vector<IconRequest> newest;
    newest.reserve(batch.size());
    // Within the batch the last request of a slot counts, at the place it was last asked.
    for (auto it = batch.rbegin(); it != batch.rend(); ++it)
        if (slots.insert(it->Slot).second)
            newest.push_back(std::move(*it));
    std::reverse(newest.begin(), newest.end());
    std::erase_if(waiting_, [&slots](const IconRequest& request) { return slots.count(request.Slot) != 0; });
    waiting_.insert(waiting_.begin(), std::make_move_iterator(newest.begin()), std::make_move_iterator(newest.end()));
}

std::optional<IconRequest> IconQueue::Take()
{
    if (waiting_.empty())
        return std::nullopt;
    IconRequest request = std::move(waiting_.front());
    waiting_.pop_front();
    return request;
}

} // namespace platform
