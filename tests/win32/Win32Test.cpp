#include "Win32Test.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

Win32Test::Win32Test()
{
    platform::win32::InstallWin32Platform();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch_ = std::string(temp) + "zx-" + info->test_suite_name() + "-" + info->name() + "-" +
               std::to_string(GetCurrentProcessId());
    RemoveTree(scratch_);
    CreateDirectoryA(scratch_.c_str(), nullptr);
}

Win32Test::~Win32Test()
{
    RemoveTree(scratch_);
    platform::Install(nullptr);
}

void Win32Test::WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

std::string Win32Test::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Win32Test::WaitForFile(const std::string& path, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            Sleep(200); // let the writer finish and close it
            return true;
        }
        Sleep(50);
    }
    return false;
}

std::string Win32Test::ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string TabCaption(HWND tabs, int page)
{
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    return text;
}

HGLOBAL MakeDrop(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = {10, 20};
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return memory;
}

TestWindow::TestWindow(const std::string& title, DWORD style)
{
    static const ATOM windowClass = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = DefWindowProcA;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "ZephyrixTestWindow";
        return RegisterClassA(&description);
    }();
    (void)windowClass;
    hwnd_ = CreateWindowExA(0, "ZephyrixTestWindow", title.c_str(), style, 10, 10, 300, 200, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

void TestWindow::Destroy()
{
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}
