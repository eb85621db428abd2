#pragma once
#include "catalogue/uWatchedFolder.h"

// The user's Recent documents folder, as a folder source. It lists only the documents
// whose text is not in the catalogue yet.
class TRecentFilesFolder : public TWatchedFolder {
public:
    // Scans the Recent folder and starts watching at once.
    explicit TRecentFilesFolder(TAbbrevInfos& abbreviations);

    void FillList(TItemList& list) override;
    void AddFile(const std::string& path) override;
};
