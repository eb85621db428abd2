#include "platform/headless/FileSystem.h"

#include <string_view>

#include "common/Exception.h"
#include "platform/ErrorReport.h"
#include "platform/headless/CaseInsensitive.h"
#include "platform/headless/Wildcard.h"

namespace platform::headless {

class FileSystem::WatchHandle : public IFolderWatch {
public:
    WatchHandle(std::weak_ptr<FileSystem*> files, int id) : files_(std::move(files)), id_(id) {}
    ~WatchHandle() override
    {
        if (const auto files = files_.lock())
            (*files)->watches_.erase(id_);
    }

private:
    std::weak_ptr<FileSystem*> files_;
    int id_;
};

FileSystem::~FileSystem() = default;

std::vector<std::string> FileSystem::SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

std::string FileSystem::Fold(const std::string& path)
{
    std::string folded;
    for (const std::string& part : SplitPath(path))
        folded += FoldCase(part) + "\\";
    return folded;
}

FileSystem::Node* FileSystem::Find(const std::string& path)
{
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return nullptr;
    Node* node = &root_;
    for (const std::string& part : parts) {
        const auto child = node->Children.find(FoldCase(part));
        if (child == node->Children.end())
            return nullptr;
        node = child->second.get();
    }
    return node;
}

FileSystem::Node* FileSystem::Parent(const std::vector<std::string>& parts)
{
    Node* parent = &root_;
    for (std::size_t i = 0; i + 1 < parts.size() && parent != nullptr; ++i) {
        const auto child = parent->Children.find(FoldCase(parts[i]));
        parent = child == parent->Children.end() ? nullptr : child->second.get();
    }
    return parent;
}

bool FileSystem::FileExists(const std::string& path)
{
    const Node* node = Find(path);
    return node != nullptr && !node->IsFolder();
}

bool FileSystem::IsValidPath(const std::string& path)
{
    constexpr std::size_t MaxPathLength = 259;
    if (path.empty() || path.size() > MaxPathLength)
        return false;
    const std::vector<std::string> parts = SplitPath(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool drive = i == 0 && parts[i].size() == 2 && parts[i][1] == ':';
        for (const char c : drive ? parts[i].substr(0, 1) : parts[i])
            if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
                return false;
    }
    return !parts.empty();
}

bool FileSystem::CreateFolderTree(const std::string& path)
{
    if (FolderExists(path))
        return true;
    if (!IsValidPath(path))
        return false;
    const std::vector<std::string> parts = SplitPath(path);
    // A file in the way cannot become a folder.
    std::string walked;
    for (const std::string& part : parts) {
        walked += part + "\\";
        if (FileExists(walked))
            return false;
    }
    AddFolder(path);
    return true;
}

bool FileSystem::WriteNewFile(const std::string& path, const std::string& contents)
{
    if (!IsValidPath(path))
        return false;
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos || !FolderExists(path.substr(0, separator)))
        return false;
    if (const Node* existing = Find(path); existing != nullptr && (existing->IsFolder() || (existing->Attributes & AttrReadOnly) != 0))
        return false;
    AddFile(path, contents);
    return true;
}

bool FileSystem::FolderExists(const std::string& path)
{
    const Node* node = Find(path);
    return node != nullptr && node->IsFolder();
}

std::vector<DirectoryEntry> FileSystem::Enumerate(const std::string& mask)
{
    ++enumerations_;
    if (BeforeEnumerate)
        BeforeEnumerate(mask);
    std::vector<DirectoryEntry> found;
    const std::size_t slash = mask.find_last_of('\\');
    if (slash == std::string::npos)
        return found;
    const std::string folder = mask.substr(0, slash);
    const std::string pattern = mask.substr(slash + 1);
    const Node* node = Find(folder);
    if (node == nullptr || !node->IsFolder() || deniedListings_.count(Fold(folder)) != 0)
        return found;
    for (const auto& [key, child] : node->Children)
        if (MatchesWildcard(child->Name, pattern))
            found.push_back({child->Name, child->Attributes});
    return found;
}

std::unique_ptr<IFolderWatch> FileSystem::WatchTree(const std::string& folder, Handler onChanges)
{
    return AddWatch(folder, true, std::move(onChanges));
}

std::unique_ptr<IFolderWatch> FileSystem::WatchFolderNames(const std::string& folder, Handler onChanges)
{
    return AddWatch(folder, false, std::move(onChanges));
}

std::unique_ptr<IFolderWatch> FileSystem::AddWatch(const std::string& folder, bool tree, Handler onChanges)
{
    if (!FolderExists(folder) || deniedWatches_.count(Fold(folder)) != 0)
        throw Exception("Invalid folder");
    std::vector<std::string> parts = SplitPath(folder);
    for (std::string& part : parts)
        part = FoldCase(part);
    const int id = nextWatch_++;
    watches_[id] = {std::move(parts), tree, std::move(onChanges)};
    return std::make_unique<WatchHandle>(self_, id);
}

namespace {
bool Below(const std::vector<std::string>& folder, const std::vector<std::string>& path)
{
    if (folder.size() >= path.size())
        return false;
    for (std::size_t i = 0; i < folder.size(); ++i)
        if (folder[i] != FoldCase(path[i]))
            return false;
    return true;
}
} // namespace

void FileSystem::Changed(const std::vector<Change>& changes, bool isFolder)
{
    // One report per operation and watch: a rename's two names arrive together, also
    // when only one of them lies in the watched folder.
    std::vector<std::pair<int, FolderChanges>> reports;
    for (const auto& [id, watch] : watches_) {
        FolderChanges report;
        for (const Change& change : changes) {
            if (!Below(watch.Folder, change.Parts))
                continue;
            if (!watch.Tree && (!isFolder || change.Parts.size() != watch.Folder.size() + 1))
                continue;
            std::string relative;
            for (std::size_t i = watch.Folder.size(); i < change.Parts.size(); ++i)
                relative += (relative.empty() ? "" : "\\") + change.Parts[i];
            report.Changes.push_back({change.What, isFolder, relative});
        }
        if (!report.Changes.empty())
            reports.emplace_back(id, std::move(report));
    }
    // A handler may end any watch, its own included.
    for (const auto& pending : reports) {
        const auto watch = watches_.find(pending.first);
        if (watch == watches_.end())
            continue;
        const Handler onChanges = watch->second.OnChanges;
        const FolderChanges& report = pending.second; // a lambda may not capture a structured binding in clang 14
        RunHandler([&] { onChanges(report); });
    }
}

void FileSystem::LoseChanges(const std::string& path)
{
    std::vector<std::string> parts = SplitPath(path);
    parts.push_back("*"); // the path itself counts as inside a watch on it
    std::vector<int> reached;
    for (const auto& [id, watch] : watches_)
        if (watch.Tree && Below(watch.Folder, parts))
            reached.push_back(id);
    for (const int id : reached) {
        const auto watch = watches_.find(id);
        if (watch == watches_.end())
            continue;
        const Handler onChanges = watch->second.OnChanges;
        RunHandler([&] { onChanges(FolderChanges{true, {}}); });
    }
}

FileSystem::Node& FileSystem::Ensure(const std::vector<std::string>& parts, std::size_t count)
{
    Node* node = &root_;
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<Node>& child = node->Children[FoldCase(parts[i])];
        if (!child) {
            child = std::make_unique<Node>();
            child->Name = parts[i];
            child->Attributes = AttrDirectory;
            Changed({{{parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(i + 1)}, FolderChange::Action::Added}},
                    true);
        }
        node = child.get();
    }
    return *node;
}

FileSystem::Node& FileSystem::AddFolder(const std::string& path, unsigned attributes)
{
    const std::vector<std::string> parts = SplitPath(path);
    Node& folder = Ensure(parts, parts.size());
    folder.Attributes = attributes | AttrDirectory;
    return folder;
}

FileSystem::Node& FileSystem::AddFile(const std::string& path, const std::string& contents, unsigned attributes)
{
    const std::vector<std::string> parts = SplitPath(path);
    Node& folder = Ensure(parts, parts.size() - 1);
    std::unique_ptr<Node>& file = folder.Children[FoldCase(parts.back())];
    const bool created = !file;
    if (created) {
        file = std::make_unique<Node>();
        file->Name = parts.back();
    }
    file->Attributes = attributes & ~static_cast<unsigned>(AttrDirectory);
    file->Contents = contents;
    file->Children.clear();
    Node& added = *file;
    if (created)
        Changed({{parts, FolderChange::Action::Added}}, false);
    return added;
}

bool FileSystem::Remove(const std::string& path)
{
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return false;
    Node* parent = Parent(parts);
    if (parent == nullptr)
        return false;
    const auto held = parent->Children.find(FoldCase(parts.back()));
    if (held == parent->Children.end())
        return false;
    const bool isFolder = held->second->IsFolder();
    parent->Children.erase(held);
    Changed({{parts, FolderChange::Action::Removed}}, isFolder);
    return true;
}

bool FileSystem::Rename(const std::string& from, const std::string& to)
{
    const std::vector<std::string> fromParts = SplitPath(from);
    const std::vector<std::string> toParts = SplitPath(to);
    if (fromParts.empty() || toParts.empty() || Find(from) == nullptr)
        return false;
    // Renaming to the same name in another letter case is allowed.
    if (Find(to) != nullptr && Fold(from) != Fold(to))
        return false;
    Node* parent = Parent(fromParts);
    const auto held = parent->Children.find(FoldCase(fromParts.back()));
    std::unique_ptr<Node> node = std::move(held->second);
    parent->Children.erase(held);
    node->Name = toParts.back();
    const bool isFolder = node->IsFolder();
    Ensure(toParts, toParts.size() - 1).Children[FoldCase(toParts.back())] = std::move(node);
    Changed({{fromParts, FolderChange::Action::RenamedFrom}, {toParts, FolderChange::Action::RenamedTo}}, isFolder);
    return true;
}

} // namespace platform::headless
