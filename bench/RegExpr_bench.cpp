// Direct matcher against RE2 on the patterns the incremental
// search builds, over a catalogue of program names like a real Start menu.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "matching/RegExpr.h"
#include "matching/patterns.h"

namespace {

const std::vector<std::string>& ProgramNames()
{
    static const std::vector<std::string> names = [] {
        const char* vendors[] = {"Microsoft", "Adobe", "Mozilla", "Google", "JetBrains", "Oracle", "VideoLAN",
                                 "Notepad++", "7-Zip", "Git", "Python", "Visual", "Windows", "Steam", "Zoom"};
        const char* products[] = {"Word", "Excel", "Outlook", "Photoshop", "Acrobat Reader", "Firefox",
                                  "Chrome", "IntelliJ IDEA", "VirtualBox", "VLC media player", "File Manager",
                                  "Bash", "Studio Code", "Terminal", "PowerShell", "Media Player", "Client",
                                  "Setup", "Uninstall", "Help", "Release Notes", "Documentation"};
        std::mt19937 random(7);
        std::vector<std::string> result;
        for (int i = 0; i < 10'000; ++i) {
            std::string name = vendors[random() % std::size(vendors)];
            name += ' ';
            name += products[random() % std::size(products)];
            if (random() % 3 == 0)
                name += " " + std::to_string(2000 + random() % 25);
            if (random() % 4 == 0)
                name += " (x64)";
            result.push_back(std::move(name));
        }
        return result;
    }();
    return names;
}

// Typed texts of the requested length, prefixes of what users type for the
// names above.
std::string Typed(std::int64_t length)
{
    return std::string("visualst").substr(0, static_cast<std::size_t>(length));
}

void SearchAll(benchmark::State& state, std::string (*build)(const std::string&), TRegExprEngine engine)
{
    TRegExpr regex(engine);
    regex.Expression = build(Typed(state.range(0)));
    regex.ModifierI = true;
    regex.Compile();
    const auto& names = ProgramNames();
    std::size_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const std::string& name : names)
            matches += regex.Exec(name);
        benchmark::DoNotOptimize(matches);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * names.size()));
    state.counters["matches"] = static_cast<double>(matches);
}

void AnchoredDirect(benchmark::State& state) { SearchAll(state, AnchoredPattern, TRegExprEngine::Auto); }
void AnchoredEngine(benchmark::State& state)
{
    SearchAll(state, AnchoredPattern, TRegExprEngine::EngineOnly);
}
void SequenceDirect(benchmark::State& state) { SearchAll(state, SequencePattern, TRegExprEngine::Auto); }
void SequenceEngine(benchmark::State& state)
{
    SearchAll(state, SequencePattern, TRegExprEngine::EngineOnly);
}

} // namespace

BENCHMARK(AnchoredDirect)->DenseRange(1, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnchoredEngine)->DenseRange(1, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(SequenceDirect)->DenseRange(1, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(SequenceEngine)->DenseRange(1, 8)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
