#include "platform/win32/ShellLinks.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"

namespace platform::win32 {

namespace {

constexpr int LinkBufferSize = MAX_PATH;

std::wstring AnsiToWide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

void CheckCreation(HRESULT result)
{
    if (FAILED(result))
        RaiseOSError(static_cast<unsigned long>(result));
}

} // namespace

std::optional<ShellLinkTarget> ShellLinks::LoadAndResolve(const std::string& file)
{
    ComPtr<IShellLinkA> link;
    CheckCreation(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   link.ReceiveVoid()));
    ComPtr<IPersistFile> persist;
    CheckCreation(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid()));

    if (persist->Load(AnsiToWide(file).c_str(), STGM_READ) != S_OK)
        return std::nullopt;
    // No SLR_NO_UI: the shell may search for a moved target and update the link.
    if (link->Resolve(nullptr, SLR_ANY_MATCH | SLR_UPDATE) != S_OK)
        return std::nullopt;

    char buffer[LinkBufferSize] = {};
    ShellLinkTarget target;
    WIN32_FIND_DATAA findData{};
    if (SUCCEEDED(link->GetPath(buffer, LinkBufferSize, &findData, SLGP_UNCPRIORITY)))
        target.Path = buffer;
    buffer[0] = '\0';
    if (SUCCEEDED(link->GetArguments(buffer, LinkBufferSize)))
        target.Arguments = buffer;
    buffer[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(buffer, LinkBufferSize)))
        target.WorkingDirectory = buffer;
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

    // The ANSI file functions stop at MAX_PATH - 1 characters; a longer name is refused
    // here rather than cut short into some other file's name.
    const std::wstring wideFile = AnsiToWide(file);
    if (file.empty() || wideFile.empty() || wideFile.size() >= MAX_PATH)
        return LinkWriteResult::NotSaved;
    return persist->Save(wideFile.c_str(), FALSE) == S_OK ? LinkWriteResult::Written : LinkWriteResult::NotSaved;
}

} // namespace platform::win32
