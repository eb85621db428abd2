#include "platform/win32/ShellLinks.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/AnsiText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

// The shell link keeps its texts in UTF-16 and converts them into this buffer; sized so
// that a target path of MAX_PATH characters fits whole in the UTF-8 code page.
constexpr int LinkBufferSize = static_cast<int>(AnsiPathBufferSize);

void CheckCreation(HRESULT result)
{
    if (FAILED(result))
        RaiseOSError(static_cast<unsigned long>(result));
}

} // namespace

std::optional<ShellLinkTarget> ShellLinks::LoadAndResolve(const std::string& file)
{
    return Load(file, true);
}

std::optional<ShellLinkTarget> ShellLinks::LoadStored(const std::string& file)
{
    return Load(file, false);
}

std::optional<ShellLinkTarget> ShellLinks::Load(const std::string& file, bool resolve)
{
    ComPtr<IShellLinkA> link;
    CheckCreation(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   link.ReceiveVoid()));
    ComPtr<IPersistFile> persist;
    CheckCreation(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid()));

    if (persist->Load(AnsiToWide(file).c_str(), STGM_READ) != S_OK)
        return std::nullopt;
    // No SLR_NO_UI: the shell may search for a moved target and update the link.
    if (resolve && link->Resolve(nullptr, SLR_ANY_MATCH | SLR_UPDATE) != S_OK)
        return std::nullopt;

    std::string buffer(LinkBufferSize, '\0');
    const auto text = [&buffer] { return std::string(buffer.c_str()); };
    ShellLinkTarget target;
    WIN32_FIND_DATAA findData{};
    if (SUCCEEDED(link->GetPath(buffer.data(), LinkBufferSize, &findData, SLGP_UNCPRIORITY)))
        target.Path = text();
    buffer.assign(LinkBufferSize, '\0');
    if (SUCCEEDED(link->GetArguments(buffer.data(), LinkBufferSize)))
        target.Arguments = text();
    buffer.assign(LinkBufferSize, '\0');
    if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), LinkBufferSize)))
        target.WorkingDirectory = text();
    return target;
}

LinkWriteResult ShellLinks::WriteLink(const std::string& file, const ShellLinkDefinition& definition)
{
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
        return LinkWriteResult::NoShellLinkObject;
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())))
        return LinkWriteResult::NoShellLinkObject;

    link->SetPath(definition.Target.Path.c_str());
    link->SetArguments(definition.Target.Arguments.c_str());
    link->SetDescription(definition.Description.c_str());
    link->SetHotkey(definition.Hotkey);
    link->SetShowCmd(definition.ShowCommand);
    if (!definition.Target.WorkingDirectory.empty())
        link->SetWorkingDirectory(definition.Target.WorkingDirectory.c_str());

    // The ANSI file functions stop at MAX_PATH - 1 characters (UTF-16 units, whatever
    // the code page makes of them in bytes); a longer name is refused here rather than cut
    // short into some other file's name. So is one with a zero byte, which would end it early.
    const std::wstring wideFile = AnsiToWide(file);
    if (file.empty() || wideFile.empty() || wideFile.size() >= MAX_PATH || file.find('\0') != std::string::npos)
        return LinkWriteResult::NotSaved;
    return persist->Save(wideFile.c_str(), FALSE) == S_OK ? LinkWriteResult::Written : LinkWriteResult::NotSaved;
}

} // namespace platform::win32
