#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/uProgramInfo.h"
#include "catalogue/uShortcutDataSource.h"

class TAbbrevInfos;
class TRecursiveFindFiles;
namespace platform {
class IFolderWatch;
class ITimer;
} // namespace platform

// The shortcut files (.LNK, then .URL) of a shell folder tree. The source watches the
// folder's parent tree and rescans once the changes have settled for two seconds.
class TWatchedFolder : public TShortcutDataSource {
public:
    static constexpr unsigned SettleIntervalMs = 2000;

    explicit TWatchedFolder(TAbbrevInfos& abbreviations);
    ~TWatchedFolder() override;

    // Resolves the shell folder (a CSIDL value) and scans it; an unresolvable id leaves
    // the source empty and unwatched.
    void LoadSpecialFolder(int csidl);
    // Discards the entries, starts watching (once per source), then scans the tree.
    void ScanFolder(const std::string& folder);
    // ScanFolder on Folder again, then OnChange.
    void Rescan();
    void FillList(TItemList& list) override;
    // The finder's per-file handler: makes one entry.
    virtual void AddFile(TRecursiveFindFiles& sender, const std::string& path);

    bool IsWatching() const { return Watcher != nullptr; }

    // The folder last scanned, as the shell returned it.
    std::string Folder;
    // Raised after every rescan that a change caused; may be unset.
    std::function<void(TShortcutDataSource& sender)> OnChange;
    // In the order the scan found them.
    std::vector<std::unique_ptr<TProgramInfo>> Entries;

protected:
    // Makes an entry the way every source does: set its path, give it its learned
    // abbreviation, take ownership.
    void Append(std::unique_ptr<TProgramInfo> entry, const std::string& path);

    TAbbrevInfos& Abbreviations;

private:
    void StartWatching();
    void SettleTimerTick();

    std::unique_ptr<platform::IFolderWatch> Watcher;
    std::unique_ptr<platform::ITimer> SettleTimer;
    bool watchFailed_ = false;
};
