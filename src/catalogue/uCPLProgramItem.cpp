#include "catalogue/uCPLProgramItem.h"

#include "catalogue/SortedItems.h"
#include "catalogue/uFindFiles.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"

namespace {
constexpr int ModuleStringBufferChars = 2048;
} // namespace

TCplFolder::TCplFolder(TAbbrevInfos& abbreviations) : Abbreviations(abbreviations) {}

void TCplFolder::FillList(TItemList& list)
{
    Entries.clear();
    TRecursiveFindFiles finder;
    finder.OnFile = [this](TRecursiveFindFiles& sender, const std::string& path) { AddCplFile(sender, path); };
    finder.FindFiles(JoinPath(platform::Modules().SystemDirectory(), "*.CPL"), true);
    for (const std::unique_ptr<TCPLItem>& entry : Entries)
        list.AddObject(entry->DisplayText(), entry.get());
}

void TCplFolder::AddCplFile(TRecursiveFindFiles& /*sender*/, const std::string& modulePath)
{
    LoadCplApplets(modulePath, Abbreviations, Entries);
}

std::string LoadModuleString(platform::IModule& module, std::uint32_t id)
{
    return module.ReadString(id, ModuleStringBufferChars);
}

void LoadCplApplets(const std::string& modulePath, TAbbrevInfos& abbreviations,
                    std::vector<std::unique_ptr<TCPLItem>>& list)
{
    // The module stays loaded only while it is asked; its destruction unloads it
    // however the questions end, errors included.
    const std::unique_ptr<platform::IModule> module = platform::Modules().Load(modulePath);
    if (!module || !module->HasControlPanelEntry())
        return;
    if (module->CallControlPanel(platform::CplInit, 0, nullptr) == 0)
        return;
    const std::int32_t count = module->CallControlPanel(platform::CplGetCount, 0, nullptr);
    // Cleared once: a module that leaves the record untouched for an applet repeats
    // the previous applet's ids.
    platform::CplInfo info;
    for (std::int32_t index = 0; index < count; ++index) {
        const std::int32_t result = module->CallControlPanel(platform::CplInquire, index, &info);
        const std::string name = LoadModuleString(*module, static_cast<std::uint32_t>(info.IdName));
        const std::string description = LoadModuleString(*module, static_cast<std::uint32_t>(info.IdInfo));
        (void)description;
        if (name.empty())
            continue;
        platform::Modules().DebugOutput(std::to_string(result) + " " + name);
        auto entry = std::make_unique<TCPLItem>(modulePath, name);
        entry->SetPath(name);
        entry->IconResource = info.IdIcon;
        entry->Abbreviation = abbreviations.FindAbbrev(*entry);
        list.push_back(std::move(entry));
    }
}
