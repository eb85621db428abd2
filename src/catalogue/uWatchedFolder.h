#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/uProgramInfo.h"
#include "catalogue/ShortcutDataSource.h"
#include "catalogue/ShortcutTree.h"

class TAbbrevInfos;
namespace platform {
struct FolderChanges;
class IBackgroundJob;
class IFolderWatch;
class ITimer;
} // namespace platform

// The shortcut files (.LNK, then .URL) of a shell folder tree. The source watches the
// tree and, once changes that can alter its entries have settled for two seconds, lists
// again only the folders that changed. Walks of a whole tree run off the user-interface
// thread; their result is taken there.
class TWatchedFolder : public TShortcutDataSource {
public:
    static constexpr unsigned SettleIntervalMs = 2000;

    explicit TWatchedFolder(TAbbrevInfos& abbreviations);
    // Abandons a walk in progress: its result is never taken.
    ~TWatchedFolder() override;

    // Resolves the shell folder (a CSIDL value) and scans it; an unresolvable id leaves
    // the source empty and unwatched.
    void LoadSpecialFolder(int csidl);
    // Starts watching (once per folder), then walks the tree. The entries are updated
    // when the walk ends; until then the source keeps what it had.
    void ScanFolder(const std::string& folder);
    // Walks the whole tree again; OnChange follows when the walk ends.
    void Rescan();
    void FillList(TItemList& list) override;
    // Makes the entry for one shortcut file and appends it to Entries.
    virtual void AddFile(const std::string& path);

    bool IsWatching() const { return parentWatch_ != nullptr || treeWatch_ != nullptr; }
    // Whether a walk or a listing is under way off the user-interface thread.
    bool IsWalking() const { return walking_; }

    // The folder last scanned, as the shell returned it.
    std::string Folder;
    // Raised when a walk or a listing that a change caused has changed the entries; may be unset.
    std::function<void(TShortcutDataSource& sender)> OnChange;
    // In catalogue order: every .LNK of the tree, then every .URL. An entry whose file
    // still exists stays the same object across rescans.
    std::vector<std::unique_ptr<TProgramInfo>> Entries;

protected:
    // Makes an entry the way every source does: set its path, give it its learned
    // abbreviation, take ownership.
    void Append(std::unique_ptr<TProgramInfo> entry, const std::string& path);

    TAbbrevInfos& Abbreviations;

private:
    void StartWatching();
    void WatchTree();
    void TreeChanged(const platform::FolderChanges& changes);
    void ParentChanged(const platform::FolderChanges& changes);
    bool NoteChange(const std::string& relativePath, bool isFolder);
    void RestartSettleCount();
    void SettleTimerTick();
    void StartFullWalk();
    void StartListing();
    void WalkEnded(bool changed);
    // Remakes Entries from tree_, keeping the entries whose path is still there; true
    // when the list of paths changed.
    bool UpdateEntries();
    std::string Root() const;

    std::unique_ptr<platform::IFolderWatch> parentWatch_;
    std::unique_ptr<platform::IFolderWatch> treeWatch_;
    std::unique_ptr<platform::ITimer> SettleTimer;
    std::unique_ptr<platform::IBackgroundJob> walk_;
    // What the last walk and listings found: the folders the scan enters, their shortcuts.
    TShortcutFolder tree_;
    // Folders (relative to Folder) to list again at the next settle tick.
    std::vector<std::string> changedFolders_;
    bool fullWalkDue_ = false;
    bool walking_ = false;
    // Changes that arrived while a walk ran: weighed against its result once it is in.
    std::vector<std::pair<std::string, bool>> changesDuringWalk_;
    bool watchFailed_ = false;
};
