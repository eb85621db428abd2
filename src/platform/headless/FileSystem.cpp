#include "platform/headless/FileSystem.h"

#include <string_view>

#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

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

FileSystem::Node& FileSystem::Ensure(const std::vector<std::string>& parts, std::size_t count)
{
    Node* node = &root_;
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<Node>& child = node->Children[FoldCase(parts[i])];
        if (!child) {
            child = std::make_unique<Node>();
            child->Name = parts[i];
            child->Attributes = AttrDirectory;
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
    Node& file = Ensure(parts, parts.size());
    file.Attributes = attributes & ~static_cast<unsigned>(AttrDirectory);
    file.Contents = contents;
    file.Children.clear();
    return file;
}

bool FileSystem::Remove(const std::string& path)
{
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return false;
    Node* parent = &root_;
    for (std::size_t i = 0; i + 1 < parts.size() && parent != nullptr; ++i) {
        const auto child = parent->Children.find(FoldCase(parts[i]));
        parent = child == parent->Children.end() ? nullptr : child->second.get();
    }
    return parent != nullptr && parent->Children.erase(FoldCase(parts.back())) != 0;
}

} // namespace platform::headless
