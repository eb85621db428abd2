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

    std::optional<ShellLinkTarget> LoadStored(const std::string& file) override
    {
        if (FailCreate)
            throw Exception("Class not registered");
        const auto link = links_.find(file);
        if (!files_.FileExists(file) || link == links_.end())
            return std::nullopt;
        return link->second.Target;
    }

    LinkWriteResult WriteLink(const std::string& file, const ShellLinkDefinition& link) override
    {
        if (FailCreate)
            return LinkWriteResult::NoShellLinkObject;
        if (!files_.WriteNewFile(file, "L"))
            return LinkWriteResult::NotSaved;
        links_[file] = {link.Target, false, link};
        return LinkWriteResult::Written;
    }

    // Test set-up: writes a shortcut file and remembers its target.
    void CreateLink(const std::string& file, ShellLinkTarget target)
    {
        files_.AddFile(file, "L");
        links_[file] = {target, false, {target, {}, 1, 0}};
    }
    // What a link file was written with; null for a file that holds no link.
    const ShellLinkDefinition* Written(const std::string& file) const
    {
        const auto link = links_.find(file);
        return link == links_.end() || !files_.FileExists(file) ? nullptr : &link->second.Definition;
    }
    // A link whose target cannot be found any more.
    void MakeUnresolvable(const std::string& file) { links_[file].Unresolvable = true; }

    bool FailCreate = false;

private:
    struct Link {
        ShellLinkTarget Target;
        bool Unresolvable = false;
        ShellLinkDefinition Definition;
    };
    FileSystem& files_;
    std::map<std::string, Link, CaseInsensitiveLess> links_;
};

} // namespace platform::headless
