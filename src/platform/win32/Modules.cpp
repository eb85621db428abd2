#include "platform/win32/Modules.h"

#include <windows.h>
#include <cpl.h>

#include <vector>

#include "common/Utf8.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {
class Module : public IModule {
public:
    explicit Module(HMODULE module)
        : module_(module), entry_(reinterpret_cast<APPLET_PROC>(
                               reinterpret_cast<void (*)()>(GetProcAddress(module, "CPlApplet"))))
    {
    }

    bool HasControlPanelEntry() override { return entry_ != nullptr; }

    std::int32_t CallControlPanel(std::uint32_t message, std::int32_t param1, CplInfo* info) override
    {
        // The module writes the platform's own record, whose last field is pointer-sized
        // on 64-bit Windows; the caller's record is copied in and out around the call.
        CPLINFO record = {};
        if (info != nullptr) {
            record.idIcon = info->IdIcon;
            record.idName = info->IdName;
            record.idInfo = info->IdInfo;
            record.lData = info->Data;
        }
        const LONG result = entry_(Application::OwnerWindow(), message, param1,
                                   info != nullptr ? reinterpret_cast<LPARAM>(&record) : 0);
        if (info != nullptr) {
            info->IdIcon = record.idIcon;
            info->IdName = record.idName;
            info->IdInfo = record.idInfo;
            info->Data = record.lData;
        }
        return result;
    }

    std::string ReadString(std::uint32_t id, int bufferChars) override
    {
        if (bufferChars <= 1)
            return {};
        // Room for bufferChars UTF-16 units in UTF-8, so that the system does not cut the
        // part we keep; the name is cut here, at a whole character.
        std::vector<char> buffer(static_cast<std::size_t>(bufferChars) * MaxBytesPerSystemChar, '\0');
        const int length = LoadStringA(module_.Get(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0)
            return {};
        return CutUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)),
                       static_cast<std::size_t>(bufferChars - 1));
    }

private:
    UniqueModule module_;
    APPLET_PROC entry_;
};
} // namespace

std::string Modules::SystemDirectory()
{
    std::vector<char> path(AnsiPathBufferSize, '\0');
    const UINT length = GetSystemDirectoryA(path.data(), AnsiPathBufferSize);
    // A length of the buffer or more is the size it would need: the folder did not fit.
    return length > 0 && length < AnsiPathBufferSize ? std::string(path.data(), length) : std::string();
}

std::string Modules::ProgramPath()
{
    // A path that fills the buffer was cut: try again with more room, up to the longest
    // path the system has.
    for (DWORD size = AnsiPathBufferSize; size <= 32768 * 3; size *= 2) {
        std::vector<char> path(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0)
            RaiseLastOSError();
        if (length < size)
            return std::string(path.data(), length);
    }
    RaiseOSError(ERROR_INSUFFICIENT_BUFFER);
}

std::unique_ptr<IModule> Modules::Load(const std::string& path)
{
    // A broken module must not raise the system's own error boxes.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE module = LoadLibraryA(path.c_str());
    SetErrorMode(previousMode);
    if (module == nullptr)
        return nullptr;
    return std::make_unique<Module>(module);
}

void Modules::DebugOutput(const std::string& text)
{
    OutputDebugStringA(text.c_str());
}

} // namespace platform::win32
