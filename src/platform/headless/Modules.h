#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Modules.h"

namespace platform::headless {

// One applet of a simulated Control Panel module.
struct SimulatedApplet {
    // Ids written into the record on CplInquire; absent leaves the record as it was.
    std::optional<CplInfo> Info;
    std::int32_t InquireResult = 0;
};

// A simulated .cpl module: its "CPlApplet" answers from these tables.
struct SimulatedModule {
    bool Loadable = true;
    bool HasControlPanelEntry = true;
    std::int32_t InitResult = 1;
    std::vector<SimulatedApplet> Applets;
    std::map<std::uint32_t, std::string> Strings;
    // Replaces the table-driven entry point when set (for modules that misbehave).
    std::function<std::int32_t(std::uint32_t message, std::int32_t param1, CplInfo* info)> EntryPoint;
};

// Modules by path (case-insensitive), with a record of what was asked of them.
class Modules : public IModules {
public:
    struct Call {
        std::string Module;
        std::uint32_t Message = 0;
        std::int32_t Param1 = 0;
    };

    std::string SystemDirectory() override { return SystemDirectoryPath; }
    std::string ProgramPath() override { return ProgramFilePath; }
    std::unique_ptr<IModule> Load(const std::string& path) override;
    void DebugOutput(const std::string& text) override { DebugLines.push_back(text); }

    // Registers the module; the test also puts its file where a search finds it.
    void AddModule(const std::string& path, SimulatedModule module);

    std::string SystemDirectoryPath = "C:\\windows\\system32";
    std::string ProgramFilePath = "C:\\Users\\user\\AppData\\Local\\Programs\\Zephyrix\\zephyrix.exe";
    std::vector<std::string> DebugLines;
    std::vector<Call> Calls;
    int Loads = 0;
    int Unloads = 0;

private:
    class LoadedModule;
    std::map<std::string, SimulatedModule> modules_; // by folded path
};

} // namespace platform::headless
