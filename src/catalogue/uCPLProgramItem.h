#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/uProgramInfo.h"
#include "catalogue/ShortcutDataSource.h"

class TAbbrevInfos;
class TRecursiveFindFiles;
namespace platform {
class IModule;
} // namespace platform

// The Control Panel applets of the .CPL modules below the system directory. Nothing
// is watched: every fill searches and loads the modules again.
class TCplFolder : public TShortcutDataSource {
public:
    explicit TCplFolder(TAbbrevInfos& abbreviations);

    void FillList(TItemList& list) override;

    // The applets of the last fill, in the order found.
    std::vector<std::unique_ptr<TCPLItem>> Entries;

private:
    void AddCplFile(TRecursiveFindFiles& sender, const std::string& modulePath);

    TAbbrevInfos& Abbreviations;
};

// Appends an entry for every applet of the module whose name can be read. A module
// that cannot be loaded, lacks "CPlApplet" or refuses CPL_INIT gives none.
void LoadCplApplets(const std::string& modulePath, TAbbrevInfos& abbreviations,
                    std::vector<std::unique_ptr<TCPLItem>>& list);

// The module's string resource of that id (at most 2047 characters); empty when it has none.
std::string LoadModuleString(platform::IModule& module, std::uint32_t id);
