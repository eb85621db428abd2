#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "Win32Test.h"
#include "additems/MakeShortcut.h"
#include "additems/ShortcutWriters.h"
#include "common/Exception.h"
#include <functional>
#include "platform/Platform.h"

namespace {

struct LinkFields {
    std::string Path, Arguments, Description, WorkingDirectory;
    int ShowCommand = 0;
    WORD Hotkey = 0xFFFF;
};

// Reads a .lnk back through the shell's own IShellLinkA, without resolving it.
LinkFields ReadLink(const std::string& file)
{
    LinkFields fields;
    platform::win32::ComPtr<IShellLinkA> link;
    platform::win32::ComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())))
        return fields;
    const std::wstring wide(file.begin(), file.end());
    if (FAILED(persist->Load(wide.c_str(), STGM_READ)))
        return fields;
    char buffer[MAX_PATH] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    fields.Path = buffer;
    buffer[0] = '\0';
    link->GetArguments(buffer, MAX_PATH);
    fields.Arguments = buffer;
    buffer[0] = '\0';
    link->GetDescription(buffer, MAX_PATH);
    fields.Description = buffer;
    buffer[0] = '\0';
    link->GetWorkingDirectory(buffer, MAX_PATH);
    fields.WorkingDirectory = buffer;
    link->GetShowCmd(&fields.ShowCommand);
    link->GetHotkey(&fields.Hotkey);
    return fields;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
        return {};
    } catch (const Exception& error) {
        return error.what();
    }
}

class AddItemsContract : public Win32Test {
protected:
    AddItemsContract() : folder(Scratch("Programs\\Zephyrix\\New Shortcuts")), program(ProgramFolder() + "\\record_start.exe") {}

    const std::string folder;
    const std::string program;
};

TEST_F(AddItemsContract, ShellShortcutHoldsEveryFieldAsTheShellReadsIt)
{
    CreateDirectoryA(Scratch("work").c_str(), nullptr);
    CreateDirectoryA(Scratch("out").c_str(), nullptr);
    ASSERT_TRUE(CreateShellShortcut(Scratch("out"), "report.txt", program, "C:\\docs\\report.txt", Scratch("work")));
    const LinkFields link = ReadLink(Scratch("out\\report.txt.lnk"));
    EXPECT_EQ(link.Path, program);
    EXPECT_EQ(link.Arguments, "C:\\docs\\report.txt");
    EXPECT_EQ(link.Description, "report.txt");
    EXPECT_EQ(link.WorkingDirectory, Scratch("work"));
    EXPECT_EQ(link.ShowCommand, SW_SHOWNORMAL);
    EXPECT_EQ(link.Hotkey, 0);
}

TEST_F(AddItemsContract, EmptyStartInLeavesTheWorkingFolderUnset)
{
    CreateDirectoryA(Scratch("out").c_str(), nullptr);
    ASSERT_TRUE(CreateShellShortcut(Scratch("out") + "\\", "Tool", ScratchFolder(), "", ""));
    const LinkFields link = ReadLink(Scratch("out\\Tool.lnk"));
    EXPECT_EQ(link.Path, ScratchFolder());
    EXPECT_EQ(link.WorkingDirectory, "");
    EXPECT_EQ(link.Arguments, "");
}

TEST_F(AddItemsContract, ExistingLinkIsReplaced)
{
    CreateDirectoryA(Scratch("out").c_str(), nullptr);
    ASSERT_TRUE(CreateShellShortcut(Scratch("out"), "x", program, "-old", ""));
    ASSERT_TRUE(CreateShellShortcut(Scratch("out"), "x", program, "-new", ""));
    EXPECT_EQ(ReadLink(Scratch("out\\x.lnk")).Arguments, "-new");
}

TEST_F(AddItemsContract, LinkThatCannotBeSavedRaisesWithItsFileName)
{
    CreateDirectoryA(Scratch("out").c_str(), nullptr);
    for (const std::string& name : {std::string("what?"), std::string("a*b"), std::string("a|b"), std::string(260, 'n')}) {
        const std::string file = Scratch("out") + "\\" + name + ".lnk";
        EXPECT_EQ(ErrorOf([&] { CreateShellShortcut(Scratch("out"), name, program, "", ""); }), "Cannot create file " + file)
            << name.substr(0, 10);
        EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(AddItemsContract, MissingTargetIsRefusedBeforeAnythingIsWritten)
{
    EXPECT_EQ(ErrorOf([&] { CreateShellShortcut(Scratch("out"), "x", Scratch("nothing.exe"), "", ""); }),
              "Cannot create shortcut. Target file does not exist");
}

TEST_F(AddItemsContract, InternetShortcutHasExactlyTwoCrLfLines)
{
    CreateDirectoryA(Scratch("out").c_str(), nullptr);
    WriteFile(Scratch("out\\First_Last.URL"), "older and longer contents than the new file");
    WriteInternetShortcut(Scratch("out\\First_Last.URL"), "MailTo:First Last");
    EXPECT_EQ(ReadFile(Scratch("out\\First_Last.URL")), "[InternetShortcut]\r\nURL=MailTo:First Last\r\n");

    const std::string high = "http://x/\xe9t\xe9";
    WriteInternetShortcut(Scratch("out\\high.URL"), high);
    EXPECT_EQ(ReadFile(Scratch("out\\high.URL")), "[InternetShortcut]\r\nURL=" + high + "\r\n");
}

TEST_F(AddItemsContract, InternetShortcutThatCannotBeCreatedIsNamed)
{
    const std::string file = Scratch("missing folder\\x.URL");
    EXPECT_EQ(ErrorOf([&] { WriteInternetShortcut(file, "http://x"); }), "Cannot create file " + file);
}

TEST_F(AddItemsContract, FolderIsCreatedWithItsParents)
{
    auto& files = platform::FileSystem();
    EXPECT_TRUE(files.CreateFolderTree(folder));
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_TRUE(files.DirectoryExists(folder + "\\"));
    EXPECT_TRUE(files.CreateFolderTree(folder + "\\")); // already there
    EXPECT_FALSE(files.FileExists(folder));

    WriteFile(Scratch("blocker"), "x");
    EXPECT_FALSE(files.CreateFolderTree(Scratch("blocker\\below")));
    EXPECT_FALSE(files.CreateFolderTree(Scratch("bad?name\\below")));
    EXPECT_FALSE(files.CreateFolderTree(""));
}

TEST_F(AddItemsContract, OperationOneWritesTheShortcutAndStartsIt)
{
    // A copy of the helper in a folder of its own, so its record lands there.
    const std::string work = Scratch("work");
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string copy = work + "\\record_start.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), copy.c_str(), FALSE));

    MakeShortcut(folder, copy, copy, work, "-p");
    const LinkFields link = ReadLink(folder + "\\record_start.exe.lnk");
    EXPECT_EQ(link.Path, copy);
    EXPECT_EQ(link.Arguments, "-p");
    ASSERT_TRUE(WaitForFile(work + "\\started.txt"));
    EXPECT_EQ(ReadFile(work + "\\started.txt").substr(0, 3), "-p\n");
}

} // namespace
