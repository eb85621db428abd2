#pragma once
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform::headless {

// A shell that records what it was asked to start.
class Shell : public IShell {
public:
    struct OpenCall {
        std::string File;
        std::optional<std::string> Parameters;
        std::optional<std::string> Directory;
        int ShowCommand = 0;
    };
    struct ControlRunDllCall {
        std::string CommandLine;
        int ShowCommand = 0;
    };

    bool Open(const std::string& file, const std::optional<std::string>& parameters,
              const std::optional<std::string>& directory, int showCommand) override
    {
        Opened.push_back({file, parameters, directory, showCommand});
        if (WhileOpening)
            WhileOpening();
        return !Refused.contains(file);
    }

    void ControlRunDll(const std::string& commandLine, int showCommand) override
    {
        AppletsRun.push_back({commandLine, showCommand});
        if (WhileOpening)
            WhileOpening();
    }

    std::vector<OpenCall> Opened;
    std::vector<ControlRunDllCall> AppletsRun;
    // Files the shell cannot start.
    std::set<std::string> Refused;
    // Runs inside a start, as a real launch may pump messages before it returns.
    std::function<void()> WhileOpening;
};

} // namespace platform::headless
