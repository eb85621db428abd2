// One keystroke in the search panel: both passes over the catalogue and the list filled.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "matching/fSearchUI.h"
#include "platform/SpecialFolders.h"
#include "platform/headless/Simulator.h"

namespace {

const std::string Programs = "C:\\Users\\me\\Start Menu\\Programs";

// Shortcut names of three words and a number, 20 to 40 characters; one entry in
// twenty has a learned abbreviation (every one when everyAbbreviated).
void FillCatalogue(platform::headless::Simulator& sim, std::size_t entries, bool everyAbbreviated)
{
    using platform::headless::RegValue;
    static const char* const words[] = {"Notepad", "Microsoft", "Office", "Word", "excel", "Uninstall",
                                        "Readme", "Setup", "Help", "Visual", "Studio", "Tools",
                                        "media", "Player", "Adobe", "Acrobat", "Reader", "Calculator"};
    std::mt19937 random(7);
    sim.specialFolders.Paths = {{platform::CsidlPrograms, Programs}};
    std::uint32_t pairs = 0;
    for (std::size_t n = 0; n < entries; ++n) {
        std::string name;
        for (int w = 0; w < 3; ++w)
            name += std::string(words[random() % std::size(words)]) + " ";
        name += std::to_string(n);
        const std::string path = Programs + "\\Group " + std::to_string(n / 100) + "\\" + name + ".lnk";
        sim.files.AddFile(path);
        if (everyAbbreviated || n % 20 == 0) {
            std::string abbreviation;
            for (int c = 0; c < 3; ++c)
                abbreviation += static_cast<char>('a' + random() % 26);
            sim.registry.SetValue(AbbreviationsKey, "Abbrev" + std::to_string(pairs), RegValue::Sz(abbreviation));
            sim.registry.SetValue(AbbreviationsKey, "Path" + std::to_string(pairs), RegValue::Sz(path));
            ++pairs;
        }
    }
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(pairs));
}

class PanelOverCatalogue {
public:
    PanelOverCatalogue(std::size_t entries, bool everyAbbreviated)
        : sim(platform::headless::InstallSimulator())
    {
        FillCatalogue(sim, entries, everyAbbreviated);
        form = sim.widgets.CreateForm("TfrmSearchUI");
        panel = std::make_unique<TfrmSearchUI>(*form);
    }
    ~PanelOverCatalogue()
    {
        panel.reset();
        form.reset();
        FreeSearchData();
        FreeConfig();
        platform::Install(nullptr);
    }

    // One keystroke that leaves the edit holding text.
    void Search(const std::string& text, benchmark::State& state)
    {
        panel->edLaunch.SetText(text);
        for (auto _ : state) {
            panel->edLaunchChange();
            benchmark::DoNotOptimize(panel->lbSearch.Count());
        }
        state.counters["rows"] = panel->lbSearch.Count();
        state.counters["entries"] = static_cast<double>(SearchData().Items().Count());
    }

    platform::headless::Simulator& sim;
    std::unique_ptr<platform::IForm> form;
    std::unique_ptr<TfrmSearchUI> panel;
};

// Typed texts of 1 to 8 letters, a prefix of a word many names hold.
void BM_Keystroke(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), false);
    fixture.Search(std::string("calculat").substr(0, static_cast<std::size_t>(state.range(1))), state);
}
BENCHMARK(BM_Keystroke)
    ->ArgsProduct({{10000, 100000}, {1, 2, 3, 4, 5, 6, 7, 8}})
    ->ArgNames({"entries", "letters"})
    ->Unit(benchmark::kMillisecond);

// The user types one more letter: the text before it was searched by the keystroke
// before, so only what that listed is searched again. The first letter is BM_Keystroke
// with one letter.
void BM_FollowingLetter(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), false);
    const std::string typed = std::string("calculat").substr(0, static_cast<std::size_t>(state.range(1)));
    const std::string before = typed.substr(0, typed.size() - 1);
    for (auto _ : state) {
        state.PauseTiming();
        fixture.panel->edLaunch.SetText(before);
        state.ResumeTiming();
        fixture.panel->edLaunch.SetText(typed);
        benchmark::DoNotOptimize(fixture.panel->lbSearch.Count());
    }
    state.counters["rows"] = fixture.panel->lbSearch.Count();
}
BENCHMARK(BM_FollowingLetter)
    ->ArgsProduct({{100000}, {2, 3, 4, 5, 6, 7, 8}})
    ->ArgNames({"entries", "letters"})
    ->Unit(benchmark::kMillisecond);

// The same with dots for some letters: still answered directly and narrowed.
void BM_DottedText(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), false);
    fixture.Search("c.l.u.a", state);
}
BENCHMARK(BM_DottedText)->Arg(100000)->ArgName("entries")->Unit(benchmark::kMillisecond);

// A long repetitive text: each entry costs time linear in its length, whatever the text.
void BM_RepetitiveText(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), false);
    fixture.Search("aaaaaaaaaaaaaaac", state);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RepetitiveText)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A lone backslash matches every abbreviation: the whole catalogue goes into one
// abbreviation block, which must not be placed row by row.
void BM_LoneBackslash(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), true);
    fixture.Search("\\", state);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoneBackslash)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

// A keystroke as the user sees it: the search, then the list drawing the rows it shows,
// with their icons (known ones, and questions to the worker for the others) or without.
// The worker's lookups are not on the keystroke's clock.
void BM_KeystrokeDrawn(benchmark::State& state)
{
    PanelOverCatalogue fixture(static_cast<std::size_t>(state.range(0)), false);
    auto& list = static_cast<platform::headless::SimForm&>(*fixture.form).ListBox("lbSearch");
    const bool icons = state.range(1) != 0;
    if (!icons)
        list.RowIcon = nullptr;
    const char* const texts[] = {"c", "ca", "cal", "calc"};
    std::size_t n = 0;
    for (auto _ : state) {
        fixture.panel->edLaunch.SetText(texts[n++ % std::size(texts)]);
        benchmark::DoNotOptimize(list.Paint());
        state.PauseTiming();
        fixture.sim.icons.AnswerPending();
        state.ResumeTiming();
    }
    state.counters["rows"] = list.Count();
}
BENCHMARK(BM_KeystrokeDrawn)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"entries", "icons"})
    ->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
