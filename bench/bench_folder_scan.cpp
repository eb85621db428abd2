// Scanning a Start Menu tree on the simulator: the work must grow linearly with
// the tree (no quadratic step), from 1,000 to 100,000 shortcuts among ten times as
// many other files.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/SortedItems.h"
#include "catalogue/uRecentFile.h"
#include "catalogue/uWatchedFolder.h"
#include "matching/abbreviations.h"
#include "platform/headless/Simulator.h"

namespace {

constexpr const char* Programs = "C:\\Profile\\Start Menu\\Programs";

void BM_ScanFolderTree(benchmark::State& state)
{
    // 10 shortcuts (two of them .url) and 100 other files per folder, 100 folders per group.
    const int shortcuts = static_cast<int>(state.range(0));
    auto& sim = platform::headless::InstallSimulator();
    for (int folder = 0; folder * 10 < shortcuts; ++folder) {
        const std::string path = std::string(Programs) + "\\Group " + std::to_string(folder / 100) +
                                 "\\App " + std::to_string(folder) + "\\";
        for (int i = 0; i < 10; ++i)
            sim.files.AddFile(path + "Shortcut " + std::to_string(i) + (i % 5 == 0 ? ".url" : ".lnk"));
        for (int i = 0; i < 100; ++i)
            sim.files.AddFile(path + "data" + std::to_string(i) + (i % 2 ? ".dll" : ".txt"));
    }
    TAbbrevInfos store;
    TWatchedFolder source(store);
    for (auto _ : state) {
        source.ScanFolder(Programs);
        benchmark::DoNotOptimize(source.Entries.data());
    }
    if (source.Entries.size() != static_cast<std::size_t>(shortcuts))
        state.SkipWithError("wrong number of entries");
    state.SetItemsProcessed(state.iterations() * shortcuts);
    state.SetComplexityN(shortcuts);
}

BENCHMARK(BM_ScanFolderTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// The Recent source's "already listed" look-up against a full catalogue: every
// recent document is listed already, so each costs one look-up and no insertion.
void BM_RecentFillAlreadyListed(benchmark::State& state)
{
    const int documents = static_cast<int>(state.range(0));
    auto& sim = platform::headless::InstallSimulator();
    sim.specialFolders.Paths[platform::CsidlRecent] = "C:\\Profile\\Recent";
    const auto name = [](int i) {
        std::string digits = std::to_string(i);
        return "Doc " + std::string(6 - digits.size(), '0') + digits;
    };
    for (int i = 0; i < documents; ++i)
        sim.files.AddFile("C:\\Profile\\Recent\\" + name(i) + ".lnk");
    TAbbrevInfos store;
    TRecentFilesFolder recent(store);
    TSortedItems items;
    for (int i = 0; i < documents; ++i) // in order, so each goes in at the end
        items.AddObject(name(i), nullptr);
    for (auto _ : state)
        recent.FillList(items);
    if (items.Count() != static_cast<std::size_t>(documents))
        state.SkipWithError("a listed document was added again");
    state.SetItemsProcessed(state.iterations() * documents);
    state.SetComplexityN(documents);
}

BENCHMARK(BM_RecentFillAlreadyListed)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
