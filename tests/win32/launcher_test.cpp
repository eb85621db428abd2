#include "launch/launcher.h"

#include "ShellLinkWriter.h"
#include "Win32Test.h"
#include "common/Exception.h"
#include "platform/Platform.h"

namespace {

class LauncherContract : public Win32Test {
protected:
    LauncherContract() : workFolder(Scratch("work")), shortcut(Scratch("Record Start.lnk"))
    {
        CreateDirectoryA(workFolder.c_str(), nullptr);
        EXPECT_TRUE(WriteShellLink(shortcut, ProgramFolder() + "\\record_start.exe", "-x", workFolder,
                                   SW_SHOWMINNOACTIVE));
    }

    // The command-line tail and working folder the helper program saw.
    std::pair<std::string, std::string> WhatStarted()
    {
        const std::string record = workFolder + "\\started.txt";
        if (!WaitForFile(record))
            return {"<not started>", ""};
        const std::string text = ReadFile(record);
        const std::size_t newline = text.find('\n');
        return {text.substr(0, newline), text.substr(newline + 1, text.find('\n', newline + 1) - newline - 1)};
    }

    const std::string workFolder;
    const std::string shortcut;
};

TEST_F(LauncherContract, ReadShortcutReturnsWhatTheShellWrote)
{
    const auto link = ReadShortcut(shortcut);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Path, ProgramFolder() + "\\record_start.exe");
    EXPECT_EQ(link->Arguments, "-x");
    EXPECT_EQ(link->WorkingDirectory, workFolder);
}

TEST_F(LauncherContract, ShortcutStartsWithItsOwnArgumentsAndFolder)
{
    LaunchPath(shortcut, "", "");
    const auto started = WhatStarted();
    EXPECT_EQ(started.first, "-x");
    EXPECT_EQ(started.second, workFolder);
}

TEST_F(LauncherContract, CallersParametersWinOverTheShortcuts)
{
    LaunchPath(shortcut, "", "-y");
    const auto started = WhatStarted();
    EXPECT_EQ(started.first, "-y");
    EXPECT_EQ(started.second, workFolder);
}

TEST_F(LauncherContract, MissingShortcutRaisesErrorOpeningFile)
{
    try {
        LaunchPath(Scratch("Gone.lnk"), "", "");
        FAIL() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Error opening file");
    }
}

TEST_F(LauncherContract, NonShortcutIsRejectedByTheReader)
{
    WriteFile(Scratch("notes.txt"), "x");
    try {
        ReadShortcut(Scratch("notes.txt"));
        FAIL() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "File is not a shortcut");
    }
}

TEST_F(LauncherContract, GarbageShortcutFailsToLoadWithoutError)
{
    WriteFile(Scratch("Broken.lnk"), "this is not a shell link");
    EXPECT_FALSE(ReadShortcut(Scratch("Broken.lnk")));
}

TEST_F(LauncherContract, PlainShortcutIsNotAdvertised)
{
    EXPECT_EQ(platform::Installer().GetShortcutTarget(shortcut), std::nullopt);
    EXPECT_EQ(platform::Installer().GetShortcutTarget(Scratch("Gone.lnk")), std::nullopt);
}

TEST_F(LauncherContract, ExecutableIsOpenedDirectly)
{
    // Copy the helper into the work folder: opened bare, it starts in the folder the shell picks,
    // and records into its own folder only when that is the current one. Check it started at all.
    const std::string copy = workFolder + "\\record_start.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\record_start.exe").c_str(), copy.c_str(), FALSE));
    SetCurrentDirectoryA(workFolder.c_str());
    LaunchPath(copy, "C:\\", "-ignored");
    const auto started = WhatStarted();
    SetCurrentDirectoryA(ProgramFolder().c_str());
    EXPECT_EQ(started.first, "") << "parameters go with shortcuts only";
}

} // namespace
