// Writes a shortcut through the shell link's Unicode interface, as an installer of a
// program with a name in any language would, for the end-to-end tests:
//   make_link_w <shortcut.lnk> <target> <working folder>
// The arguments are taken from the Unicode command line; the shortcut's folder is created
// when it is missing.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

bool WriteLink(const std::wstring& file, const wchar_t* target, const wchar_t* folder)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(target);
    link->SetWorkingDirectory(folder);
    IPersistFile* persist = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        saved = persist->Save(file.c_str(), TRUE) == S_OK;
        persist->Release();
    }
    link->Release();
    return saved;
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 4)
        return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const std::wstring file = arguments[1];
    SHCreateDirectoryExW(nullptr, file.substr(0, file.find_last_of(L'\\')).c_str(), nullptr);
    const bool written = WriteLink(file, arguments[2], arguments[3]);
    CoUninitialize();
    LocalFree(arguments);
    return written ? 0 : 1;
}
