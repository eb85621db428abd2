#pragma once
#include <map>
#include <string>

#include "platform/ShellLinks.h"
#include "platform/headless/CaseInsensitive.h"
#include "platform/headless/FileSystem.h"

namespace platform::headless {

// Shortcut files live in the simulated file system; their targets are kept here.
class ShellLinks : public IShellLinks {
public:
    explicit ShellLinks(FileSystem& files) : files_(files) {}

    std::optional<ShellLinkTarget> LoadAndResolve(const std::string& file) override
    {
        if (FailCreate)
            throw Exception("Class not registered");
        const auto link = links_.find(file);
        if (!files_.FileExists(file) || link == links_.end() || link->second.Unresolvable)
            return std::nullopt;
        return link->second.Target;
    }

    // Writes a shortcut file and remembers its target.
    void CreateLink(const std::string& file, ShellLinkTarget target)
    {
        files_.AddFile(file, "L");
        links_[file] = {std::move(target), false};
    }
    // A link whose target cannot be found any more.
    void MakeUnresolvable(const std::string& file) { links_[file].Unresolvable = true; }

    bool FailCreate = false;

private:
    struct Link {
        ShellLinkTarget Target;
        bool Unresolvable = false;
    };
    FileSystem& files_;
    std::map<std::string, Link, CaseInsensitiveLess> links_;
};

} // namespace platform::headless
