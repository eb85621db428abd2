#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/TopLevelWindows.h"

namespace platform {

// An icon the lists of the same platform can draw; what the number means is the
// backend's (on Windows an index of the shell's system image list).
using IconId = std::int32_t;
// Drawn while a row's own icon is not known, and for a row that has none.
constexpr IconId GenericIcon = -1;

// What a row's icon is found from.
struct IconSource {
    enum class Kind : std::uint8_t {
        File,        // a shortcut (.lnk, .url) or document: the icon the shell shows for it
        ModuleIcon,  // the icon resource Resource of the module Path (a Control Panel applet's)
        PackagedApp, // the Applications folder's item of the app whose id is Path
        Window,      // a top-level window's own small icon
    };
    Kind Of = Kind::File;
    std::string Path;
    std::int32_t Resource = 0;
    WindowHandle Window = 0;

    bool operator==(const IconSource&) const = default;
};

// One question to the worker. Slot and Epoch are the asker's and come back unchanged.
struct IconRequest {
    std::uint32_t Slot = 0;
    std::uint64_t Epoch = 0;
    IconSource Source;
    // The state of the source when its icon was last found (0: never found): an
    // unchanged source is answered without looking its icon up again.
    std::uint64_t KnownStamp = 0;
};

struct IconAnswer {
    std::uint32_t Slot = 0;
    std::uint64_t Epoch = 0;
    // Empty when the source is unchanged since KnownStamp.
    std::optional<IconId> Icon;
    // The state of the source the icon was found from: a file's time and size (0 when
    // the source has none, or it could not be read).
    std::uint64_t Stamp = 0;
};

// Icons looked up on a worker of their own. Requests asked before the message loop
// turns again make one batch; the newest batch is answered first, in the order it was
// asked, and a request replaces an older one of its slot still waiting. Answers arrive
// on the user-interface thread from the message loop. Destroying the object drops
// what is still waiting and never waits for a lookup in progress (a slow or absent
// disk): that lookup ends by itself and its answer is thrown away.
class IIconLookups {
public:
    virtual ~IIconLookups() = default;
    virtual void Ask(IconRequest request) = 0;
};

class IIcons {
public:
    using Answered = std::function<void(const IconAnswer& answer)>;
    virtual ~IIcons() = default;
    // answered must not throw.
    virtual std::unique_ptr<IIconLookups> StartLookups(Answered answered) = 0;
};

} // namespace platform
