#include "catalogue/uWatchedFolder.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/SortedItems.h"
#include "catalogue/FileMask.h"
#include "common/Exception.h"
#include "matching/abbreviations.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {

// More changes than this during one walk are not kept one by one: the tree is walked again.
constexpr std::size_t MaxChangesDuringWalk = 4096;

std::string WithoutTrailingSeparator(const std::string& folder)
{
    if (folder.size() > 1 && folder.back() == '\\')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

// The folder cut after its last "\" (or ":"), the separator kept: the parent.
std::string ParentFolder(const std::string& folder)
{
    const std::string own = WithoutTrailingSeparator(folder);
    const std::size_t separator = own.find_last_of("\\:");
    return separator == std::string::npos ? std::string() : own.substr(0, separator + 1);
}

std::string FolderName(const std::string& folder)
{
    const std::string own = WithoutTrailingSeparator(folder);
    const std::size_t separator = own.find_last_of("\\:");
    return separator == std::string::npos ? own : own.substr(separator + 1);
}

std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::size_t Depth(const std::string& relativePath)
{
    return relativePath.empty() ? 0 : 1 + static_cast<std::size_t>(std::count(relativePath.begin(), relativePath.end(), '\\'));
}

// One folder to list again, with the sub-folders already known (their trees are kept).
struct ListingRequest {
    std::string Path; // relative to the source's folder
    std::unordered_set<std::string> Known; // folded names
};

} // namespace

TWatchedFolder::TWatchedFolder(TAbbrevInfos& abbreviations)
    : Abbreviations(abbreviations),
      SettleTimer(platform::Timers().CreateTimer(SettleIntervalMs, [this] { SettleTimerTick(); }))
{
}

TWatchedFolder::~TWatchedFolder()
{
    // The walk first: its result refers to this source.
    walk_.reset();
    SettleTimer.reset();
    Entries.clear();
    treeWatch_.reset();
    parentWatch_.reset();
}

void TWatchedFolder::LoadSpecialFolder(int csidl)
{
    const std::string path = platform::SpecialFolders().Path(csidl);
    if (!path.empty())
        ScanFolder(path);
}

void TWatchedFolder::ScanFolder(const std::string& folder)
{
    if (folder != Folder) {
        treeWatch_.reset();
        parentWatch_.reset();
        watchFailed_ = false;
        tree_ = {};
    }
    Folder = folder;
    StartWatching();
    StartFullWalk();
}

void TWatchedFolder::StartWatching()
{
    // The folder's own tree is watched (WatchTree, made before every walk of it), and
    // its parent for folder names only, without sub-folders. The parent watch is there
    // to notice the folder itself being created, renamed or removed, which a watch on
    // the folder cannot report. Watching the parent's whole tree would do that too, but
    // for Desktop and Documents the parent is the user's profile: every temporary file
    // that any program writes anywhere in it would then count as a change.
    if (parentWatch_ || watchFailed_)
        return;
    try {
        parentWatch_ = platform::FolderWatches().WatchFolderNames(
            ParentFolder(Folder), [this](const platform::FolderChanges& changes) { ParentChanged(changes); });
    } catch (const Exception& error) {
        // A folder that cannot be watched must not stop start-up or a reload: the
        // entries are still scanned and the failure is reported once.
        watchFailed_ = true;
        platform::ReportError(error.what());
    }
}

void TWatchedFolder::WatchTree()
{
    treeWatch_.reset();
    if (!platform::FileSystem().DirectoryExists(Root()))
        return; // the parent watch tells when it appears
    try {
        treeWatch_ = platform::FolderWatches().WatchTree(
            Root(), [this](const platform::FolderChanges& changes) { TreeChanged(changes); });
    } catch (const Exception& error) {
        if (!watchFailed_)
            platform::ReportError(error.what());
        watchFailed_ = true;
    }
}

void TWatchedFolder::ParentChanged(const platform::FolderChanges& changes)
{
    const std::string name = FolderName(Folder);
    bool ours = changes.Lost;
    for (const platform::FolderChange& change : changes.Changes)
        ours = ours || (change.IsFolder && SameName(change.Path, name));
    if (!ours)
        return;
    // The folder itself came, went or moved: a watch left on it would follow it elsewhere
    // (and keep a removed folder from going), so it ends now; the walk makes a new one.
    treeWatch_.reset();
    fullWalkDue_ = true;
    RestartSettleCount();
}

void TWatchedFolder::TreeChanged(const platform::FolderChanges& changes)
{
    if (changes.Lost) {
        fullWalkDue_ = true;
        RestartSettleCount();
        return;
    }
    bool relevant = false;
    for (const platform::FolderChange& change : changes.Changes) {
        // Only shortcut files and folders can alter the entries.
        if (!change.IsFolder && !IsShortcutName(std::string(LastName(change.Path))))
            continue;
        if (walking_) {
            // The tree is being read: what this change means is known once the result is in.
            if (changesDuringWalk_.size() < MaxChangesDuringWalk)
                changesDuringWalk_.emplace_back(change.Path, change.IsFolder);
            else
                fullWalkDue_ = true;
            continue;
        }
        relevant = NoteChange(change.Path, change.IsFolder) || relevant;
    }
    if (relevant)
        RestartSettleCount();
}

bool TWatchedFolder::NoteChange(const std::string& relativePath, bool /*isFolder*/)
{
    // A change counts when the folder holding it is one the scan enters: nothing below a
    // hidden folder does. A folder created since the last listing is not known yet, but
    // its creation is a change of its parent, whose listing takes in its whole tree.
    const std::string parent(ParentPath(relativePath));
    if (FindShortcutFolder(tree_, parent) == nullptr)
        return false;
    const std::string folded = Folded(parent);
    const auto known = std::find_if(changedFolders_.begin(), changedFolders_.end(),
                                    [&](const std::string& folder) { return Folded(folder) == folded; });
    if (known == changedFolders_.end())
        changedFolders_.push_back(parent);
    return true;
}

void TWatchedFolder::RestartSettleCount()
{
    SettleTimer->Stop();
    SettleTimer->Start();
}

void TWatchedFolder::SettleTimerTick()
{
    SettleTimer->Stop();
    if (walking_)
        return; // the walk's end looks again
    if (fullWalkDue_)
        StartFullWalk();
    else if (!changedFolders_.empty())
        StartListing();
}

void TWatchedFolder::Rescan()
{
    StartFullWalk();
}

void TWatchedFolder::StartFullWalk()
{
    fullWalkDue_ = false;
    changedFolders_.clear();
    WatchTree(); // before the walk, so that nothing created meanwhile goes unreported
    walking_ = true;
    TWatchedFolder* const self = this; // touched only by the result, on the user-interface thread
    walk_ = platform::BackgroundWork().Start(
        [self, root = Root()](std::stop_token stop) -> platform::IBackgroundWork::Finish {
            auto tree = std::make_shared<TShortcutFolder>();
            try {
                if (!WalkShortcutTree(root, *tree, stop))
                    return {};
            } catch (const std::exception& error) {
                return [self, message = std::string(error.what())] {
                    platform::ReportError(message); // what was listed before stays listed
                    self->WalkEnded(false);
                };
            }
            return [self, tree] {
                self->tree_ = std::move(*tree);
                self->UpdateEntries();
                self->WalkEnded(true);
            };
        });
}

void TWatchedFolder::StartListing()
{
    std::vector<ListingRequest> requests;
    for (const std::string& path : changedFolders_) {
        const TShortcutFolder* folder = FindShortcutFolder(tree_, path);
        if (folder == nullptr)
            continue; // gone with its parent's listing
        ListingRequest request{path, {}};
        for (const TShortcutFolder& sub : folder->Folders)
            request.Known.insert(Folded(sub.Name));
        requests.push_back(std::move(request));
    }
    changedFolders_.clear();
    // Parents before their sub-folders: a parent's listing decides which of them remain.
    std::stable_sort(requests.begin(), requests.end(),
                     [](const ListingRequest& a, const ListingRequest& b) { return Depth(a.Path) < Depth(b.Path); });
    walking_ = true;
    TWatchedFolder* const self = this;
    walk_ =
        platform::BackgroundWork().Start([self, root = Root(), requests = std::move(requests)](
                                             std::stop_token stop) -> platform::IBackgroundWork::Finish {
            auto listings = std::make_shared<std::vector<TShortcutFolder>>();
            try {
                for (const ListingRequest& request : requests) {
                    const std::string path = AppendPath(root, request.Path);
                    TShortcutFolder listing = ListShortcutFolder(path);
                    // A sub-folder not known before (created, or renamed to this name) is walked whole.
                    for (TShortcutFolder& sub : listing.Folders) {
                        sub.Known = request.Known.count(Folded(sub.Name)) != 0;
                        if (!sub.Known && !WalkShortcutTree(path + "\\" + sub.Name, sub, stop))
                            return {};
                    }
                    listings->push_back(std::move(listing));
                }
            } catch (const std::exception& error) {
                return [self, message = std::string(error.what())] {
                    platform::ReportError(message);
                    self->WalkEnded(false);
                };
            }
            std::vector<std::string> paths;
            for (const ListingRequest& request : requests)
                paths.push_back(request.Path);
            return [self, listings, paths = std::move(paths)] {
                for (std::size_t i = 0; i < paths.size(); ++i) {
                    TShortcutFolder* folder = FindShortcutFolder(self->tree_, paths[i]);
                    if (folder == nullptr)
                        continue;
                    TShortcutFolder& listing = (*listings)[i];
                    std::unordered_map<std::string, std::size_t> old;
                    for (std::size_t n = 0; n < folder->Folders.size(); ++n)
                        old.emplace(Folded(folder->Folders[n].Name), n);
                    for (TShortcutFolder& sub : listing.Folders) {
                        if (!sub.Known)
                            continue;
                        const auto kept = old.find(Folded(sub.Name));
                        if (kept == old.end()) {
                            // Known when listed, gone from the tree since: list it next time.
                            sub.Known = false;
                            self->changedFolders_.push_back(AppendPath(paths[i], sub.Name));
                            continue;
                        }
                        std::string name = std::move(sub.Name); // as listed now, letter case included
                        sub = std::move(folder->Folders[kept->second]);
                        sub.Name = std::move(name);
                        sub.Known = false;
                    }
                    folder->Links = std::move(listing.Links);
                    folder->Urls = std::move(listing.Urls);
                    folder->Folders = std::move(listing.Folders);
                }
                self->WalkEnded(self->UpdateEntries());
            };
        });
}

void TWatchedFolder::WalkEnded(bool changed)
{
    walking_ = false;
    const auto during = std::move(changesDuringWalk_);
    changesDuringWalk_.clear();
    for (const auto& [path, isFolder] : during)
        NoteChange(path, isFolder);
    if (fullWalkDue_ || !changedFolders_.empty())
        RestartSettleCount();
    if (changed && OnChange) {
        // The result is taken from the message loop, where nothing may escape.
        try {
            OnChange(*this);
        } catch (const std::exception& error) {
            platform::ReportError(error.what());
        }
    }
}

bool TWatchedFolder::UpdateEntries()
{
    std::vector<std::string> paths;
    AppendShortcutPaths(Root(), tree_, paths);
    if (std::equal(paths.begin(), paths.end(), Entries.begin(), Entries.end(),
                   [](const std::string& path, const std::unique_ptr<TProgramInfo>& entry) { return path == entry->Path; }))
        return false;
    // An entry whose file is still there stays the same object: the panel's rows and the
    // store's record keep referring to it.
    std::unordered_map<std::string, std::unique_ptr<TProgramInfo>> kept;
    for (std::unique_ptr<TProgramInfo>& entry : Entries)
        kept.emplace(entry->Path, std::move(entry));
    Entries.clear();
    Entries.reserve(paths.size());
    for (const std::string& path : paths) {
        const auto entry = kept.find(path);
        if (entry != kept.end() && entry->second) {
            Entries.push_back(std::move(entry->second));
        } else {
            AddFile(path);
        }
    }
    return true; // what is left in kept is freed here
}

std::string TWatchedFolder::Root() const
{
    return WithoutTrailingSeparator(Folder);
}

void TWatchedFolder::FillList(TItemList& list)
{
    for (const std::unique_ptr<TProgramInfo>& entry : Entries)
        list.AddObject(entry->DisplayText(), entry.get());
}

void TWatchedFolder::AddFile(const std::string& path)
{
    Append(std::make_unique<TProgramInfo>(), path);
}

void TWatchedFolder::Append(std::unique_ptr<TProgramInfo> entry, const std::string& path)
{
    entry->SetPath(path);
    entry->Abbreviation = Abbreviations.FindAbbrev(*entry);
    Entries.push_back(std::move(entry));
}
