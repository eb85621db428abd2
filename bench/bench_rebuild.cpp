// How a catalogue rebuild grows with the number of entries, on the simulator.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "platform/SpecialFolders.h"
#include "platform/headless/Simulator.h"

namespace {

const std::string Programs = "C:\\Users\\me\\Start Menu\\Programs";
const std::string Recent = "C:\\Users\\me\\Recent";

// Shortcuts with realistic, partly repeated names in folders of a hundred, plus a Recent
// folder whose look-ups interleave with its additions.
void FillCatalogue(platform::headless::Simulator& sim, std::size_t entries)
{
    static const char* const words[] = {"Notepad", "Microsoft", "Office", "Word", "excel", "Uninstall", "Readme",
                                        "Setup", "Help", "Visual", "Studio", "Tools", "media", "Player", "Adobe"};
    std::mt19937 random(42);
    sim.specialFolders.Paths = {{platform::CsidlPrograms, Programs}, {platform::CsidlRecent, Recent}};
    sim.files.AddFolder(Recent);
    for (std::size_t n = 0; n < entries; ++n) {
        std::string name = words[random() % std::size(words)];
        name += std::string(" ") + words[random() % std::size(words)] + " " + std::to_string(random() % 1000);
        sim.files.AddFile(Programs + "\\Group " + std::to_string(n / 100) + "\\" + name + ".lnk");
    }
    for (std::size_t n = 0; n < 200; ++n)
        sim.files.AddFile(Recent + "\\document " + std::to_string(n) + ".txt.lnk");
}

void BM_Rebuild(benchmark::State& state)
{
    platform::headless::Simulator& sim = platform::headless::InstallSimulator();
    FillCatalogue(sim, static_cast<std::size_t>(state.range(0)));
    TSearchData& catalogue = SearchData();
    for (auto _ : state) {
        catalogue.Rebuild();
        benchmark::DoNotOptimize(catalogue.Items().Text(0));
    }
    state.counters["items"] = static_cast<double>(catalogue.Items().Count());
    state.SetComplexityN(state.range(0));
    FreeSearchData();
    FreeConfig();
    platform::Install(nullptr);
}

BENCHMARK(BM_Rebuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

} // namespace
BENCHMARK_MAIN();
