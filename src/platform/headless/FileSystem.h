#pragma once
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Directories.h"
#include "platform/FileSystem.h"
#include "platform/FolderWatches.h"

namespace platform::headless {

// File attribute bits, with the values Windows gives them.
enum FileAttribute : unsigned {
    AttrReadOnly = FileAttr::ReadOnly,
    AttrHidden = FileAttr::Hidden,
    AttrSystem = FileAttr::System,
    AttrDirectory = FileAttr::Directory,
    AttrArchive = FileAttr::Archive,
};

// An in-memory Windows-style file system: drive-rooted paths ("C:\..."), names
// matched case-insensitively but kept as created, attributes, and file contents.
// Creating, deleting and renaming files and folders is reported at once, with names,
// to the watches that cover them.
class FileSystem : public IFileSystem, public IDirectories, public IFolderWatches {
public:
    struct Node {
        std::string Name;
        unsigned Attributes = 0;
        std::string Contents;
        // Keyed by folded name: folders list their children in name order, as NTFS does.
        std::map<std::string, std::unique_ptr<Node>> Children;
        bool IsFolder() const { return (Attributes & AttrDirectory) != 0; }
    };

    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    ~FileSystem() override;

    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override { return FolderExists(path); }
    bool CreateFolderTree(const std::string& path) override;
    bool WriteNewFile(const std::string& path, const std::string& contents) override;
    std::vector<DirectoryEntry> Enumerate(const std::string& mask) override;
    std::unique_ptr<IFolderWatch> WatchTree(const std::string& folder, Handler onChanges) override;
    std::unique_ptr<IFolderWatch> WatchFolderNames(const std::string& folder, Handler onChanges) override;

    // Test set-up. Missing parent folders are created as plain folders. Adding a file
    // that exists changes its contents and attributes, which no watch reports.
    Node& AddFolder(const std::string& path, unsigned attributes = 0);
    Node& AddFile(const std::string& path, const std::string& contents = {}, unsigned attributes = AttrArchive);
    // Removes a file or a whole folder tree; false when nothing was there.
    bool Remove(const std::string& path);
    // Moves a file or folder tree to a new path; false when the source is missing or the target exists.
    bool Rename(const std::string& from, const std::string& to);

    // A folder that cannot be listed (as when access is denied), and one that cannot be watched.
    void DenyListing(const std::string& path) { deniedListings_.insert(Fold(path)); }
    void DenyWatch(const std::string& path) { deniedWatches_.insert(Fold(path)); }
    // Runs before every enumeration, with its mask: lets a test change the tree mid-scan.
    std::function<void(const std::string& mask)> BeforeEnumerate;

    // Reports lost changes to every tree watch that covers the path, as a watch whose
    // buffer ran over does.
    void LoseChanges(const std::string& path);

    std::size_t ActiveWatches() const { return watches_.size(); }
    std::size_t Enumerations() const { return enumerations_; }

    Node* Find(const std::string& path);
    bool FolderExists(const std::string& path);

    static std::vector<std::string> SplitPath(const std::string& path);
    // Windows' rules for a path the file functions accept: at most 259 characters,
    // and no name holding a control character or any of < > : " | ? * (a drive's colon aside).
    static bool IsValidPath(const std::string& path);

private:
    struct Watch {
        std::vector<std::string> Folder; // folded parts
        bool Tree = true;                // otherwise the names of the folders directly inside
        Handler OnChanges;
    };
    struct Change {
        std::vector<std::string> Parts;
        FolderChange::Action What;
    };
    class WatchHandle;

    Node& Ensure(const std::vector<std::string>& parts, std::size_t count);
    Node* Parent(const std::vector<std::string>& parts);
    std::unique_ptr<IFolderWatch> AddWatch(const std::string& folder, bool tree, Handler onChanges);
    void Changed(const std::vector<Change>& changes, bool isFolder);
    static std::string Fold(const std::string& path);

    Node root_;
    std::map<int, Watch> watches_;
    int nextWatch_ = 0;
    std::set<std::string> deniedListings_;
    std::set<std::string> deniedWatches_;
    std::size_t enumerations_ = 0;
    // Lets a watch outlive the file system without touching it.
    std::shared_ptr<FileSystem*> self_ = std::make_shared<FileSystem*>(this);
};

} // namespace platform::headless
