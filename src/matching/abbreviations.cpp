#include "matching/abbreviations.h"

#include <optional>

#include "catalogue/uProgramInfo.h"
#include "common/Text.h"
#include "platform/Platform.h"

namespace {

// A value that is not there reads as empty; none for one that is there but cannot be
// read as a string, which spoils its pair.
std::optional<std::string> ReadStringOrEmpty(const platform::IRegistryKey& key, const std::string& name, bool present)
{
    if (!present)
        return std::string();
    return key.ReadString(name);
}

// Numbers without a pair that loading passes over before it takes "Count" for damaged.
constexpr std::uint32_t MaxAbbreviationGaps = 1000;

} // namespace

TAbbrevInfos::~TAbbrevInfos()
{
    for (TProgramInfo* entry : entries_) {
        entry->Abbreviations_ = nullptr;
        entry->Record_ = nullptr;
    }
}

void TAbbrevInfos::LoadFromRegistry()
{
    const auto key = platform::Registry().OpenExistingKey(AbbreviationsKey);
    if (!key)
        return; // first run: nothing learned yet

    const auto count = key->ReadInteger("Count");
    if (!count)
        return; // our own saves always write "Count"; without it the key holds no pairs
    const std::uint32_t values = key->ValueCount();

    // Every pair up to "Count" is read, also past a pair deleted by hand. A damaged, huge
    // "Count" must not turn into billions of reads: the loop ends once every value the key
    // holds is accounted for, and, should values of other names keep that from happening,
    // after more gaps than deleting pairs by hand could leave.
    std::uint32_t accounted = 1; // "Count"
    std::uint32_t gaps = 0;
    for (std::uint32_t n = 0; n < *count && accounted < values; ++n) {
        const std::string abbrevName = "Abbrev" + std::to_string(n);
        const std::string pathName = "Path" + std::to_string(n);
        const bool hasAbbrev = key->ValueExists(abbrevName);
        const bool hasPath = key->ValueExists(pathName);
        accounted += static_cast<std::uint32_t>(hasAbbrev) + static_cast<std::uint32_t>(hasPath);
        if (!hasAbbrev && !hasPath) {
            if (++gaps > values + MaxAbbreviationGaps)
                break;
            continue; // nothing stored under this number
        }
        auto abbrev = ReadStringOrEmpty(*key, abbrevName, hasAbbrev);
        auto path = ReadStringOrEmpty(*key, pathName, hasPath);
        if (!abbrev || !path)
            continue;
        auto record = std::make_unique<TAbbrevInfo>();
        record->Abbrev = std::move(*abbrev);
        record->Path = std::move(*path);
        Add(std::move(record));
    }
}

void TAbbrevInfos::SaveToRegistry()
{
    std::unique_ptr<platform::IRegistryKey> key;
    try {
        key = platform::Registry().OpenOrCreateKey(AbbreviationsKey);
    } catch (const platform::ERegistryKeyNotOpenable&) {
        return;
    }

    std::uint32_t n = 0;
    for (const auto& [path, record] : records_) {
        if (record->Abbrev.empty())
            continue;
        key->WriteString("Abbrev" + std::to_string(n), record->Abbrev);
        key->WriteString("Path" + std::to_string(n), record->Path);
        ++n;
    }
    key->WriteInteger("Count", n);
}

std::string TAbbrevInfos::FindAbbrev(TProgramInfo& entry)
{
    Know(entry);
    TAbbrevInfo* record = FindRecord(entry.Path);
    if (record == nullptr)
        return {};
    Attach(*record, entry);
    return record->Abbrev;
}

void TAbbrevInfos::SetAbbrev(TProgramInfo& entry)
{
    Know(entry);
    TAbbrevInfo* record = FindRecord(entry.Path);
    if (record == nullptr) {
        auto created = std::make_unique<TAbbrevInfo>();
        created->Path = entry.Path;
        record = &Add(std::move(created));
    }
    record->Abbrev = entry.Abbreviation;
    Attach(*record, entry);
    ClearDuplicateAbbrevs(entry);
}

void TAbbrevInfos::ClearDuplicateAbbrevs(TProgramInfo& entry)
{
    ++revision_;
    const std::string taught = AsciiUpperCase(entry.Abbreviation);
    for (const auto& [path, record] : records_) {
        if (record->Entry == nullptr || record->Entry == &entry)
            continue;
        if (AsciiUpperCase(record->Abbrev) == taught) {
            record->Entry->Abbreviation.clear();
            record->Abbrev.clear();
        }
    }
}

void TAbbrevInfos::Forget(TProgramInfo& entry)
{
    if (entry.Record_ != nullptr && entry.Record_->Entry == &entry)
        entry.Record_->Entry = nullptr;
    entry.Record_ = nullptr;
    entry.Abbreviations_ = nullptr;
    entries_.erase(&entry);
}

TAbbrevInfo* TAbbrevInfos::FindRecord(const std::string& path)
{
    const auto found = records_.find(path);
    return found == records_.end() ? nullptr : found->second.get();
}

TAbbrevInfo& TAbbrevInfos::Add(std::unique_ptr<TAbbrevInfo> record)
{
    const std::string path = record->Path;
    return *records_.try_emplace(path, std::move(record)).first->second;
}

void TAbbrevInfos::Attach(TAbbrevInfo& record, TProgramInfo& entry)
{
    if (record.Entry != nullptr && record.Entry != &entry)
        record.Entry->Record_ = nullptr;
    if (entry.Record_ != nullptr && entry.Record_ != &record)
        entry.Record_->Entry = nullptr;
    record.Entry = &entry;
    entry.Record_ = &record;
}

void TAbbrevInfos::Know(TProgramInfo& entry)
{
    if (entry.Abbreviations_ == this)
        return;
    if (entry.Abbreviations_ != nullptr)
        entry.Abbreviations_->Forget(entry);
    entries_.insert(&entry);
    entry.Abbreviations_ = this;
}
