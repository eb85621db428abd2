#include "matching/IconCache.h"

#include <utility>

#include "platform/Platform.h"

IconCache::~IconCache()
{
    lookups_.reset();
}

platform::IconId IconCache::IconFor(const std::string& key, const platform::IconSource& source)
{
    FollowSources();
    if (slots_.size() >= MaxKeys && byKey_.find(key) == byKey_.end()) {
        byKey_.clear();
        slots_.clear();
        ++epoch_;
    }
    auto [found, added] = byKey_.try_emplace(key, static_cast<std::uint32_t>(slots_.size()));
    if (added)
        slots_.push_back({key});
    Slot& slot = slots_[found->second];
    if (slot.CheckedEpoch == epoch_)
        return slot.Icon;
    if (!lookups_)
        lookups_ = platform::Current().Icons().StartLookups(
            [this](const platform::IconAnswer& answer) { Answered(answer); });
    // Asked again at every drawing while unanswered: the platform keeps the newest
    // question of a slot, so rows drawn last are looked up first.
    lookups_->Ask({found->second, epoch_, source, slot.CheckedEpoch == 0 ? 0 : slot.Stamp});
    return slot.Icon;
}

platform::IconId IconCache::Known(const std::string& key) const
{
    const auto found = byKey_.find(key);
    return found != byKey_.end() ? slots_[found->second].Icon : platform::GenericIcon;
}

void IconCache::Revalidate()
{
    ++epoch_;
}

void IconCache::FollowSources()
{
    if (!SourcesGeneration)
        return;
    const std::uint64_t generation = SourcesGeneration();
    if (generation != sourcesGeneration_) {
        sourcesGeneration_ = generation;
        Revalidate();
    }
}

void IconCache::Answered(const platform::IconAnswer& answer)
{
    FollowSources();
    if (answer.Epoch != epoch_ || answer.Slot >= slots_.size())
        return; // asked before the sources changed, or before the cache started afresh
    Slot& slot = slots_[answer.Slot];
    const bool changed = answer.Icon && *answer.Icon != slot.Icon;
    if (answer.Icon) {
        slot.Icon = *answer.Icon;
        slot.Stamp = answer.Stamp;
    }
    slot.CheckedEpoch = epoch_;
    if (!changed)
        return;
    const std::string key = slot.Key;
    // A listener may stop listening while it is told.
    const auto listeners = listeners_;
    for (const auto& [token, arrived] : listeners)
        arrived(key);
}

void IconCache::Listen(const void* token, Arrived arrived)
{
    listeners_.emplace_back(token, std::move(arrived));
}

void IconCache::StopListening(const void* token)
{
    std::erase_if(listeners_, [token](const auto& listener) { return listener.first == token; });
}
