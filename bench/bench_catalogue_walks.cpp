// A My Documents tree of 1,000,000 files with 100 shortcuts on the simulator: what the
// first walk costs, and what changes cost afterwards. The counters say how many folders
// were listed and how many rescans changed the entries.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "catalogue/uWatchedFolder.h"
#include "matching/abbreviations.h"
#include "platform/headless/Simulator.h"

namespace {

constexpr const char* Documents = "C:\\Users\\me\\Documents";

// 100 projects of 10 folders of 1,000 files; one shortcut per project, deep in it; and
// one folder of 10,000 files with a shortcut, for the rename.
struct Profile {
    Profile() : sim(platform::headless::InstallSimulator())
    {
        for (int project = 0; project < 100; ++project) {
            const std::string root = std::string(Documents) + "\\project " + std::to_string(project);
            for (int folder = 0; folder < 10; ++folder) {
                const std::string path = root + "\\src\\module " + std::to_string(folder) + "\\";
                for (int file = 0; file < 1000; ++file)
                    sim.files.AddFile(path + "file" + std::to_string(file) + ".cpp");
            }
            sim.files.AddFile(root + "\\src\\module 9\\Run project " + std::to_string(project) + ".lnk");
        }
        for (int file = 0; file < 10000; ++file)
            sim.files.AddFile(std::string(Documents) + "\\node_modules\\file" + std::to_string(file) + ".js");
        sim.files.AddFile(std::string(Documents) + "\\node_modules\\Tool.lnk");
    }
    platform::headless::Simulator& sim;
};

Profile& TheProfile()
{
    static Profile profile;
    return profile;
}

struct Watched {
    Watched()
    {
        source.OnChange = [this](TShortcutDataSource&) { ++changes; };
        source.ScanFolder(Documents);
        changes = 0; // the first walk's; what follows is counted
    }
    TAbbrevInfos store;
    TWatchedFolder source{store};
    int changes = 0;
};

void BM_FirstWalk(benchmark::State& state)
{
    Profile& profile = TheProfile();
    std::size_t listed = 0;
    std::size_t entries = 0;
    for (auto _ : state) {
        const std::size_t before = profile.sim.files.Enumerations();
        Watched watched;
        listed = profile.sim.files.Enumerations() - before;
        entries = watched.source.Entries.size();
    }
    if (entries != 101)
        state.SkipWithError("wrong number of entries");
    state.counters["folders_listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_FirstWalk)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NonShortcutCreatedAndDeleted(benchmark::State& state)
{
    Profile& profile = TheProfile();
    Watched watched;
    const std::size_t before = profile.sim.files.Enumerations();
    const std::string temp = std::string(Documents) + "\\project 42\\src\\module 3\\~build.tmp";
    for (auto _ : state) {
        profile.sim.files.AddFile(temp);
        profile.sim.files.Remove(temp);
    }
    profile.sim.clock.Advance(2000);
    state.counters["folders_listed"] = static_cast<double>(profile.sim.files.Enumerations() - before);
    state.counters["rescans"] = static_cast<double>(watched.changes);
    if (watched.changes != 0)
        state.SkipWithError("a change that cannot alter the catalogue rescanned");
}
BENCHMARK(BM_NonShortcutCreatedAndDeleted)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_NewShortcutDeepInTheTree(benchmark::State& state)
{
    Profile& profile = TheProfile();
    Watched watched;
    const std::string shortcut = std::string(Documents) + "\\project 77\\src\\module 5\\New tool.lnk";
    std::size_t listed = 0;
    for (auto _ : state) {
        const std::size_t before = profile.sim.files.Enumerations();
        profile.sim.files.AddFile(shortcut);
        profile.sim.clock.Advance(2000); // the settle tick, the listing, the update
        listed = profile.sim.files.Enumerations() - before;
        state.PauseTiming();
        if (watched.source.Entries.size() != 102)
            state.SkipWithError("the new shortcut did not arrive");
        profile.sim.files.Remove(shortcut);
        profile.sim.clock.Advance(2000);
        state.ResumeTiming();
    }
    state.counters["folders_listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_NewShortcutDeepInTheTree)->Unit(benchmark::kMillisecond);

void BM_FolderOfTenThousandFilesRenamed(benchmark::State& state)
{
    Profile& profile = TheProfile();
    Watched watched;
    const std::string from = std::string(Documents) + "\\node_modules";
    const std::string to = std::string(Documents) + "\\node_modules.old";
    std::size_t listed = 0;
    for (auto _ : state) {
        const std::size_t before = profile.sim.files.Enumerations();
        profile.sim.files.Rename(from, to);
        profile.sim.clock.Advance(2000);
        listed = profile.sim.files.Enumerations() - before;
        state.PauseTiming();
        profile.sim.files.Rename(to, from);
        profile.sim.clock.Advance(2000);
        state.ResumeTiming();
    }
    state.counters["folders_listed"] = static_cast<double>(listed);
    if (watched.changes == 0)
        state.SkipWithError("the rename did not reach the entries");
}
BENCHMARK(BM_FolderOfTenThousandFilesRenamed)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
