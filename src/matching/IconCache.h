#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Icons.h"

// The icons of the rows a list draws, each looked up once on the platform's worker
// when its row is first drawn and kept by a key of the asker's (an entry's path, a
// window). A row whose icon is not known yet draws the generic one; when the icon
// arrives, every listener is told its key, so that the rows showing it are drawn again.
class IconCache {
public:
    // Beyond this many keys the cache starts afresh (the rows drawn then are asked again).
    static constexpr std::size_t MaxKeys = 8192;

    IconCache() = default;
    IconCache(const IconCache&) = delete;
    IconCache& operator=(const IconCache&) = delete;
    ~IconCache(); // abandons the lookups still waiting

    // What to draw now for the source of this key; asks for it unless its icon is known
    // and checked since the last Revalidate.
    platform::IconId IconFor(const std::string& key, const platform::IconSource& source);
    // The sources may have changed (a rescan, a new listing): icons known are still drawn,
    // and each is checked once when next drawn; only a changed source is looked up again.
    // An answer asked for before this call is thrown away, so none is ever stale.
    void Revalidate();
    // The icon last found for the key, without asking; GenericIcon when none was.
    platform::IconId Known(const std::string& key) const;
    std::size_t Size() const { return slots_.size(); }

    using Arrived = std::function<void(const std::string& key)>;
    // Lists sharing the cache each listen, under a token of their own.
    void Listen(const void* token, Arrived arrived);
    void StopListening(const void* token);
    // Where set, a change of its value revalidates the cache, noticed before any answer is taken.
    std::function<std::uint64_t()> SourcesGeneration;

private:
    struct Slot {
        std::string Key;
        platform::IconId Icon = platform::GenericIcon;
        std::uint64_t Stamp = 0;
        std::uint64_t CheckedEpoch = 0; // 0: never found
    };
    void Answered(const platform::IconAnswer& answer);
    void FollowSources();

    std::vector<std::pair<const void*, Arrived>> listeners_;
    std::unordered_map<std::string, std::uint32_t> byKey_;
    std::vector<Slot> slots_;
    std::uint64_t epoch_ = 1;
    std::uint64_t sourcesGeneration_ = 0;
    // Started at the first question, so that a list never drawn starts no worker.
    std::unique_ptr<platform::IIconLookups> lookups_;
};
