#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "catalogue/CatalogueItems.h"

class TAbbrevInfos;
class TShortcutDataSource;

// The catalogue: owns the abbreviation store, the sources switched on in the settings
// and the sorted list of all their entries that the search panels filter.
class TSearchData {
public:
    // Loads the abbreviations, builds the sources from the settings and fills Items.
    TSearchData();
    TSearchData(const TSearchData&) = delete;
    TSearchData& operator=(const TSearchData&) = delete;
    // Frees the abbreviation store, then Items, then the sources with their entries.
    ~TSearchData();

    // (text, entry) pairs sorted by text in the user's locale, without case; duplicates kept,
    // among equal texts the one added last first. The entries belong to the sources.
    const TCatalogueItems& Items() const { return Items_; }
    TAbbrevInfos& Abbreviations() { return *Abbreviations_; }

    // Replaces the rows by all pairs of Items, in order (a list box's items with their objects).
    void CopyItemsTo(std::vector<TCatalogueItems::Pair>& rows) const;
    // Refills Items from the sources. On failure Items is left empty.
    void Rebuild();
    // Rebuilds the sources from the settings as they are now, then Items, with the
    // hourglass cursor shown meanwhile. On failure Items is left empty.
    void Reload();
    void LoadAbbreviations();
    void SaveAbbreviations();
    // The main window was called up: sources that cannot watch what they list may look again.
    void WindowCalledUp();
    // The change handler of every watched source: a rescan discarded its entries.
    void SourceChanged(TShortcutDataSource& sender);

    // Moves on whenever entries may have been discarded (every Rebuild and Reload, and so
    // every rescan). A view that copied rows from Items compares it before using an entry.
    std::uint64_t Generation() const { return Generation_; }

private:
    void BuildSources();
    // Appends what make returns; a source that fails to come up is reported and left out.
    void AddSource(const std::function<std::unique_ptr<TShortcutDataSource>()>& make);
    void DiscardItems();

    std::vector<std::unique_ptr<TShortcutDataSource>> Sources_;
    TCatalogueItems Items_;
    std::unique_ptr<TAbbrevInfos> Abbreviations_;
    std::uint64_t Generation_ = 0;
};

// The process's catalogue, built on first use.
TSearchData& SearchData();
// Frees the catalogue (shutdown; tests between cases). The next SearchData builds a new one.
void FreeSearchData();
