#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "platform/win32/Handles.h"

// Writes a real .lnk through IShellLinkA, the way the shell itself does.
// iconFile: the file whose icon iconIndex the shortcut shows (empty: its target's).
inline bool WriteShellLink(const std::string& file, const std::string& target, const std::string& arguments,
                           const std::string& workingDirectory, int showCommand = SW_SHOWNORMAL,
                           const std::string& iconFile = "", int iconIndex = 0)
{
    platform::win32::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
        return false;
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    link->SetWorkingDirectory(workingDirectory.c_str());
    link->SetShowCmd(showCommand);
    if (!iconFile.empty())
        link->SetIconLocation(iconFile.c_str(), iconIndex);
    platform::win32::ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())))
        return false;
    std::wstring wide(file.begin(), file.end());
    return SUCCEEDED(persist->Save(wide.c_str(), TRUE));
}
