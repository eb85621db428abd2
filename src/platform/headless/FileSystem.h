#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::headless {

// File attribute bits, with the values Windows gives them.
enum FileAttribute : unsigned {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
};

// An in-memory Windows-style file system: drive-rooted paths ("C:\..."), names
// matched case-insensitively but kept as created, attributes, and file contents.
class FileSystem : public IFileSystem {
public:
    struct Node {
        std::string Name;
        unsigned Attributes = 0;
        std::string Contents;
        // Keyed by folded name: folders list their children in name order, as NTFS does.
        std::map<std::string, std::unique_ptr<Node>> Children;
        bool IsFolder() const { return (Attributes & AttrDirectory) != 0; }
    };

    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override { return FolderExists(path); }
    bool CreateFolderTree(const std::string& path) override;
    bool WriteNewFile(const std::string& path, const std::string& contents) override;

    // Test set-up. Missing parent folders are created as plain folders.
    Node& AddFolder(const std::string& path, unsigned attributes = 0);
    Node& AddFile(const std::string& path, const std::string& contents = {}, unsigned attributes = AttrArchive);
    // Removes a file or a whole folder tree; false when nothing was there.
    bool Remove(const std::string& path);

    Node* Find(const std::string& path);
    bool FolderExists(const std::string& path);

    static std::vector<std::string> SplitPath(const std::string& path);
    // Windows' rules for a path the file functions accept: at most 259 characters,
    // and no name holding a control character or any of < > : " | ? * (a drive's colon aside).
    static bool IsValidPath(const std::string& path);

private:
    Node& Ensure(const std::vector<std::string>& parts, std::size_t count);
    Node root_;
};

} // namespace platform::headless
