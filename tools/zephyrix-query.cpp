// zephyrix-query [--timings] CATALOGUE_FILE TEXT
//
// Lists what the search panel shows for TEXT over a catalogue given as a file:
// one entry per line, its name, optionally a TAB and its learned abbreviation.
// The entries become shortcuts in the simulated user's Start Menu programs
// folder, the abbreviations are stored as an earlier run would have saved them,
// and the real catalogue and search panel do the rest.
//
// --timings also prints, on stderr, how long building the catalogue (and the
// panel over it) and the search took, in milliseconds, so that the search can
// be compared with other filters on the same names.
//
// Exit codes: 0 the rows were printed; 1 the search failed (the error on stderr,
// the rows placed before it on stdout); 2 wrong arguments or an unreadable file.
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "matching/fSearchUI.h"
#include "platform/SpecialFolders.h"
#include "platform/headless/Simulator.h"

namespace {

constexpr const char* Usage = "usage: zephyrix-query [--timings] CATALOGUE_FILE TEXT";
constexpr const char* Programs = "C:\\Users\\user\\Start Menu\\Programs";

struct CatalogueLine {
    std::string Name;
    std::string Abbreviation;
};

bool ReadCatalogue(const std::string& file, std::vector<CatalogueLine>& lines)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            lines.push_back({line, {}});
        else
            lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return !in.bad();
}

void PrepareProfile(platform::headless::Simulator& sim, const std::vector<CatalogueLine>& lines)
{
    using platform::headless::RegValue;
    sim.specialFolders.Paths[platform::CsidlPrograms] = Programs;
    sim.files.AddFolder(Programs);
    std::uint32_t pairs = 0;
    for (const CatalogueLine& line : lines) {
        const std::string path = std::string(Programs) + "\\" + line.Name + ".lnk";
        sim.files.AddFile(path, "shortcut to " + line.Name);
        if (line.Abbreviation.empty())
            continue;
        sim.registry.SetValue(AbbreviationsKey, "Abbrev" + std::to_string(pairs), RegValue::Sz(line.Abbreviation));
        sim.registry.SetValue(AbbreviationsKey, "Path" + std::to_string(pairs), RegValue::Sz(path));
        ++pairs;
    }
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(pairs));
}

void PrintRows(const platform::IListBox& list)
{
    std::string out;
    for (int row = 0; row < list.Count(); ++row) {
        out += list.Text(row);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int Query(const std::string& file, const std::string& text, bool timings)
{
    std::vector<CatalogueLine> lines;
    if (!ReadCatalogue(file, lines)) {
        std::cerr << "zephyrix-query: cannot read " << file << " (" << Usage << ")\n";
        return 2;
    }
    auto& sim = platform::headless::InstallSimulator();
    PrepareProfile(sim, lines);

    int status = 0;
    {
        const auto buildStart = std::chrono::steady_clock::now();
        auto form = sim.widgets.CreateForm("TfrmSearchUI");
        TfrmSearchUI panel(*form); // builds the catalogue on first use
        const double build = MillisecondsSince(buildStart);
        const auto searchStart = std::chrono::steady_clock::now();
        try {
            panel.edLaunch.SetText(text);
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        }
        const double search = MillisecondsSince(searchStart);
        PrintRows(panel.lbSearch);
        if (timings) {
            char figures[128];
            std::snprintf(figures, sizeof figures, "catalogue build: %.3f ms\nsearch: %.3f ms\n", build, search);
            std::cerr << figures;
        }
    }
    FreeSearchData();
    FreeConfig();
    platform::Install(nullptr);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool timings = !args.empty() && args.front() == "--timings";
    if (timings)
        args.erase(args.begin());
    if (args.size() != 2) {
        std::cerr << Usage << '\n';
        return 2;
    }
    try {
        return Query(args[0], args[1], timings);
    } catch (const std::exception& error) {
        std::cerr << "zephyrix-query: " << error.what() << '\n';
        return 2;
    }
}
