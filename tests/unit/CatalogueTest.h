#pragma once
#include <string>
#include <utility>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/uProgramInfo.h"
#include "catalogue/uSearchData.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "platform/SpecialFolders.h"

// A simulated user profile whose Start Menu programs the catalogue lists, with
// abbreviations stored the way earlier runs left them.
class CatalogueTest : public SimulatorTest {
protected:
    static constexpr const char* Programs = "C:\\Users\\me\\Start Menu\\Programs";

    CatalogueTest()
    {
        sim.specialFolders.Paths = {{platform::CsidlPrograms, Programs},
                                    {platform::CsidlCommonPrograms, "C:\\ProgramData\\Start Menu\\Programs"},
                                    {platform::CsidlPersonal, "C:\\Users\\me\\Documents"},
                                    {platform::CsidlDesktopDirectory, "C:\\Users\\me\\Desktop"},
                                    {platform::CsidlRecent, "C:\\Users\\me\\Recent"}};
        for (const auto& [id, folder] : sim.specialFolders.Paths)
            sim.files.AddFolder(folder);
    }
    ~CatalogueTest() override
    {
        FreeSearchData();
        FreeConfig();
    }

    static std::string PathOf(const std::string& name, const std::string& extension = ".lnk")
    {
        return std::string(Programs) + "\\" + name + extension;
    }

    // A shortcut in the user's programs folder; an abbreviation is stored for it as
    // an earlier run would have saved it. Call before the catalogue is first used.
    void AddProgram(const std::string& name, const std::string& abbreviation = "", const std::string& extension = ".lnk")
    {
        sim.files.AddFile(PathOf(name, extension), "shortcut to " + name);
        if (!abbreviation.empty())
            StoredPairs.emplace_back(abbreviation, PathOf(name, extension));
        WriteStoredPairs();
    }

    void WriteStoredPairs()
    {
        using platform::headless::RegValue;
        for (std::size_t n = 0; n < StoredPairs.size(); ++n) {
            sim.registry.SetValue(AbbreviationsKey, "Abbrev" + std::to_string(n), RegValue::Sz(StoredPairs[n].first));
            sim.registry.SetValue(AbbreviationsKey, "Path" + std::to_string(n), RegValue::Sz(StoredPairs[n].second));
        }
        sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(static_cast<std::uint32_t>(StoredPairs.size())));
    }

    // What the registry holds now: the saved (abbreviation, path) pairs.
    std::vector<std::pair<std::string, std::string>> SavedPairs()
    {
        std::vector<std::pair<std::string, std::string>> pairs;
        const auto* count = sim.registry.FindValue(AbbreviationsKey, "Count");
        if (count == nullptr)
            return pairs;
        for (std::uint32_t n = 0; n < count->Number; ++n)
            pairs.emplace_back(sim.registry.FindValue(AbbreviationsKey, "Abbrev" + std::to_string(n))->Text,
                               sim.registry.FindValue(AbbreviationsKey, "Path" + std::to_string(n))->Text);
        return pairs;
    }

    static TProgramInfo* LiveEntry(const std::string& path)
    {
        for (const auto& [text, entry] : SearchData().Items().Pairs())
            if (entry->Path == path)
                return entry;
        return nullptr;
    }

    // A change in the programs folder, and the settle time after it: the folder rescans.
    void ChangeProgramsAndSettle(const std::string& newName)
    {
        sim.files.AddFile(PathOf(newName), "shortcut to " + newName);
        sim.clock.Advance(2000);
    }

    std::vector<std::pair<std::string, std::string>> StoredPairs;
};
