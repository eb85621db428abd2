#include "platform/headless/Modules.h"

#include "common/Utf8.h"
#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

class Modules::LoadedModule : public IModule {
public:
    LoadedModule(Modules& owner, std::string path, const SimulatedModule& module)
        : owner_(owner), path_(std::move(path)), module_(module)
    {
        ++owner_.Loads;
    }
    ~LoadedModule() override { ++owner_.Unloads; }

    bool HasControlPanelEntry() override { return module_.HasControlPanelEntry; }

    std::int32_t CallControlPanel(std::uint32_t message, std::int32_t param1, CplInfo* info) override
    {
        owner_.Calls.push_back({path_, message, param1});
        if (module_.EntryPoint)
            return module_.EntryPoint(message, param1, info);
        switch (message) {
        case CplInit:
            return module_.InitResult;
        case CplGetCount:
            return static_cast<std::int32_t>(module_.Applets.size());
        case CplInquire: {
            if (param1 < 0 || static_cast<std::size_t>(param1) >= module_.Applets.size())
                return 0;
            const SimulatedApplet& applet = module_.Applets[static_cast<std::size_t>(param1)];
            if (applet.Info && info != nullptr)
                *info = *applet.Info;
            return applet.InquireResult;
        }
        default:
            return 0;
        }
    }

    std::string ReadString(std::uint32_t id, int bufferChars) override
    {
        const auto text = module_.Strings.find(id);
        if (text == module_.Strings.end() || bufferChars <= 1)
            return {};
        return CutUtf8(text->second, static_cast<std::size_t>(bufferChars - 1));
    }

private:
    Modules& owner_;
    std::string path_;
    const SimulatedModule& module_;
};

void Modules::AddModule(const std::string& path, SimulatedModule module)
{
    modules_[FoldCase(path)] = std::move(module);
}

std::unique_ptr<IModule> Modules::Load(const std::string& path)
{
    const auto module = modules_.find(FoldCase(path));
    if (module == modules_.end() || !module->second.Loadable)
        return nullptr;
    return std::make_unique<LoadedModule>(*this, path, module->second);
}

} // namespace platform::headless
