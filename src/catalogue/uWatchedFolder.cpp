#include "catalogue/uWatchedFolder.h"

#include "catalogue/uFindFiles.h"
#include "catalogue/uSortedItems.h"
#include "common/Exception.h"
#include "matching/abbreviations.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {
// The folder cut after its last "\" (or ":"), the separator kept: the parent.
std::string ParentFolder(const std::string& folder)
{
    const std::size_t separator = folder.find_last_of("\\:");
    return separator == std::string::npos ? std::string() : folder.substr(0, separator + 1);
}
} // namespace

TWatchedFolder::TWatchedFolder(TAbbrevInfos& abbreviations)
    : Abbreviations(abbreviations),
      SettleTimer(platform::Timers().CreateTimer(SettleIntervalMs, [this] { SettleTimerTick(); }))
{
}

TWatchedFolder::~TWatchedFolder()
{
    SettleTimer.reset();
    Entries.clear();
    Watcher.reset();
}

void TWatchedFolder::LoadSpecialFolder(int csidl)
{
    const std::string path = platform::SpecialFolders().Path(csidl);
    if (!path.empty())
        ScanFolder(path);
}

void TWatchedFolder::ScanFolder(const std::string& folder)
{
    Entries.clear();
    Folder = folder;
    StartWatching();
    TRecursiveFindFiles finder;
    finder.OnFile = [this](TRecursiveFindFiles& sender, const std::string& path) { AddFile(sender, path); };
    finder.FindFiles(JoinPath(Folder, "*.LNK"), true);
    finder.FindFiles(JoinPath(Folder, "*.URL"), true);
}

void TWatchedFolder::StartWatching()
{
    if (Watcher || watchFailed_)
        return;
    // The parent is watched, sub-folders included: for the Programs folder that is the
    // whole Start Menu. Any creation, deletion or rename there restarts the settle count.
    try {
        Watcher = platform::FolderWatches().WatchTree(ParentFolder(Folder), [this] {
            SettleTimer->Stop();
            SettleTimer->Start();
        });
    } catch (const Exception& error) {
        // A folder that cannot be watched must not stop start-up or a reload: the
        // entries are still scanned and the failure is reported once.
        watchFailed_ = true;
        platform::ReportError(error.what());
    }
}

void TWatchedFolder::SettleTimerTick()
{
    SettleTimer->Stop();
    Rescan();
}

void TWatchedFolder::Rescan()
{
    try {
        ScanFolder(Folder);
    } catch (...) {
        // The old entries are gone even when the scan fails midway: the catalogue must
        // still rebuild, or its list would keep referring to them.
        if (OnChange)
            OnChange(*this);
        throw;
    }
    if (OnChange)
        OnChange(*this);
}

void TWatchedFolder::FillList(TItemList& list)
{
    for (const std::unique_ptr<TProgramInfo>& entry : Entries)
        list.AddObject(entry->DisplayText(), entry.get());
}

void TWatchedFolder::AddFile(TRecursiveFindFiles& /*sender*/, const std::string& path)
{
    Append(std::make_unique<TProgramInfo>(), path);
}

void TWatchedFolder::Append(std::unique_ptr<TProgramInfo> entry, const std::string& path)
{
    entry->SetPath(path);
    entry->Abbreviation = Abbreviations.FindAbbrev(*entry);
    Entries.push_back(std::move(entry));
}
