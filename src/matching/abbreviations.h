#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>

#include "common/ProgramNames.h"
#include "platform/Locale.h"

class TProgramInfo;

// One learned abbreviation, keyed by the entry's path.
class TAbbrevInfo {
public:
    std::string Abbrev;
    std::string Path;
    // The entry the record is attached to; emptied when that entry dies.
    TProgramInfo* Entry = nullptr;
};

// The learned abbreviations: at most one per path, and one abbreviation belongs to at most one entry.
class TAbbrevInfos {
public:
    TAbbrevInfos() = default;
    TAbbrevInfos(const TAbbrevInfos&) = delete;
    TAbbrevInfos& operator=(const TAbbrevInfos&) = delete;
    ~TAbbrevInfos();

    void LoadFromRegistry();
    void SaveToRegistry();
    // Returns the stored abbreviation for the entry's path (empty when none) and attaches the record to it.
    std::string FindAbbrev(TProgramInfo& entry);
    // Records the entry's current abbreviation under its path, then takes it from every other entry.
    void SetAbbrev(TProgramInfo& entry);
    void ClearDuplicateAbbrevs(TProgramInfo& entry);

    // Called by a dying entry: no record may keep referring to it.
    void Forget(TProgramInfo& entry);

    // Records in path order.
    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& [path, record] : records_)
            visit(*record);
    }
    std::size_t Count() const { return records_.size(); }
    // Moves on whenever an entry's abbreviation may have changed, so that copies of
    // display texts can tell they are out of date.
    std::uint64_t Revision() const { return revision_; }

private:
    TAbbrevInfo* FindRecord(const std::string& path);
    // Adds unless the path is already held; returns the record kept.
    TAbbrevInfo& Add(std::unique_ptr<TAbbrevInfo> record);
    void Attach(TAbbrevInfo& record, TProgramInfo& entry);
    void Know(TProgramInfo& entry);

    // Sorted by path with the locale's case-insensitive comparison; a path occurs once.
    std::map<std::string, std::unique_ptr<TAbbrevInfo>, platform::LocaleTextLess> records_;
    // Every live entry that knows this store, so that none keeps a pointer to it after it is gone.
    std::unordered_set<TProgramInfo*> entries_;
    std::uint64_t revision_ = 0;
};
