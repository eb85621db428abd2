#include "additems/MakeShortcut.h"

#include "SimulatorTest.h"
#include "additems/ShortcutWriters.h"
#include "common/Exception.h"

namespace {

const std::string Folder = "C:\\Users\\ann\\Start Menu\\Programs\\Zephyrix\\New Shortcuts";

class MakeShortcutTest : public SimulatorTest {
protected:
    MakeShortcutTest()
    {
        sim.files.AddFolder("C:\\Users\\ann\\Start Menu\\Programs");
        sim.files.AddFolder("C:\\Projects\\Tool");
        sim.files.AddFile("C:\\Tools\\editor.exe", "MZ");
    }

    // Runs the operation and gives the error text, empty when it went through.
    std::string Run(const std::string& nameSource, const std::string& target, const std::string& startIn = "",
                    const std::string& parameters = "", const std::string& folder = Folder)
    {
        try {
            MakeShortcut(folder, nameSource, target, startIn, parameters);
            return {};
        } catch (const Exception& error) {
            return error.what();
        }
    }

    std::string Contents(const std::string& file)
    {
        const auto* node = sim.files.Find(file);
        return node != nullptr ? node->Contents : "<missing>";
    }

    // Nothing written, nothing started, the window still shown.
    void ExpectNothingHappened()
    {
        EXPECT_TRUE(sim.shell.Opened.empty());
        EXPECT_EQ(sim.application.HideCount, 0);
    }
};

TEST_F(MakeShortcutTest, UrlTextWritesAnInternetShortcutStartsItAndHides)
{
    ASSERT_EQ(Run("ftp://server/page.html", "ftp://server/page.html", "C:\\ignored", "-ignored"), "");
    const std::string file = Folder + "\\server_page_html.URL";
    EXPECT_EQ(Contents(file), "[InternetShortcut]\r\nURL=ftp://server/page.html\r\n");
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, file);
    EXPECT_FALSE(sim.shell.Opened[0].Parameters.has_value());
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(MakeShortcutTest, UrlLineKeepsTheTextAsTyped)
{
    ASSERT_EQ(Run("MailTo:First Last", "MailTo:First Last"), "");
    EXPECT_EQ(Contents(Folder + "\\First_Last.URL"), "[InternetShortcut]\r\nURL=MailTo:First Last\r\n");
}

TEST_F(MakeShortcutTest, ExistingFilesOfTheSameNameAreReplaced)
{
    sim.files.AddFile(Folder + "\\x.URL", "old");
    ASSERT_EQ(Run("http://x", "http://x"), "");
    EXPECT_EQ(Contents(Folder + "\\x.URL"), "[InternetShortcut]\r\nURL=http://x\r\n");

    sim.shellLinks.CreateLink(Folder + "\\Tool.lnk", {"C:\\Elsewhere", "", ""});
    ASSERT_EQ(Run("C:\\Projects\\Tool", "C:\\Projects\\Tool"), "");
    EXPECT_EQ(sim.shellLinks.Written(Folder + "\\Tool.lnk")->Target.Path, "C:\\Projects\\Tool");
}

TEST_F(MakeShortcutTest, FolderIsCreatedWithItsParentsOnEveryAdd)
{
    EXPECT_FALSE(sim.files.FolderExists(Folder));
    ASSERT_EQ(Run("C:\\Projects\\Tool", "C:\\Projects\\Tool"), "");
    EXPECT_TRUE(sim.files.FolderExists(Folder));

    sim.files.Remove("C:\\Users\\ann\\Start Menu\\Programs\\Zephyrix");
    ASSERT_EQ(Run("http://a", "http://a"), "");
    EXPECT_TRUE(sim.files.FileExists(Folder + "\\a.URL"));
}

TEST_F(MakeShortcutTest, DirectoryGetsAShortcutNamedAfterItAndIsOpened)
{
    ASSERT_EQ(Run("C:\\Projects\\Tool", "C:\\Projects\\Tool"), "");
    const std::string file = Folder + "\\Tool.lnk";
    const auto* link = sim.shellLinks.Written(file);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target.Path, "C:\\Projects\\Tool");
    EXPECT_EQ(link->Target.Arguments, "");
    EXPECT_EQ(link->Target.WorkingDirectory, "");
    EXPECT_EQ(link->Description, "Tool");
    EXPECT_EQ(link->ShowCommand, 1);
    EXPECT_EQ(link->Hotkey, 0);
    // Starting the new shortcut opens its target.
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, "C:\\Projects\\Tool");
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(MakeShortcutTest, NamesComeFromTheLastComponentOfTheText)
{
    ASSERT_EQ(Run("C:\\Projects\\Tool\\", "C:\\Projects\\Tool\\"), "");
    EXPECT_NE(sim.shellLinks.Written(Folder + "\\.lnk"), nullptr);

    sim.shellLinks.CreateLink("C:\\Desk\\Foo.lnk", {"C:\\Tools\\editor.exe", "", ""});
    ASSERT_EQ(Run("C:\\Desk\\Foo.lnk", "C:\\Desk\\Foo.lnk"), "");
    EXPECT_EQ(sim.shellLinks.Written(Folder + "\\Foo.lnk.lnk")->Target.Path, "C:\\Desk\\Foo.lnk");

    sim.files.AddFile("C:\\Desk\\Foo.url", "[InternetShortcut]\r\nURL=http://x\r\n");
    ASSERT_EQ(Run("C:\\Desk\\Foo.url", "C:\\Desk\\Foo.url"), "");
    EXPECT_NE(sim.shellLinks.Written(Folder + "\\Foo.url.lnk"), nullptr);

    // A text forwarded by a second instance ends with a blank, kept in the name.
    ASSERT_EQ(Run("C:\\Projects\\Tool ", "C:\\Tools\\editor.exe", "", "C:\\Projects\\Tool "), "");
    EXPECT_NE(sim.shellLinks.Written(Folder + "\\Tool .lnk"), nullptr);
}

TEST_F(MakeShortcutTest, MissingTargetFailsAndChangesNothing)
{
    EXPECT_EQ(Run("C:\\Projects\\Tol", "C:\\Projects\\Tol"), "Cannot create shortcut. Target file does not exist");
    EXPECT_EQ(Run("", ""), "Cannot create shortcut. Target file does not exist");
    EXPECT_FALSE(sim.files.FileExists(Folder + "\\Tol.lnk"));
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, NoProgramsFolderMeansNoFolderToCreate)
{
    EXPECT_EQ(Run("C:\\Projects\\Tool", "C:\\Projects\\Tool", "", "", ""), "Unable to create directory");
    EXPECT_EQ(Run("http://x", "http://x", "", "", ""), "Unable to create directory");
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, UrlFileThatCannotBeWrittenIsNamedInTheError)
{
    // A file where the folder should be: neither the folder nor the file can be made.
    sim.files.AddFile("C:\\Users\\ann\\Start Menu\\Programs\\Zephyrix", "x");
    EXPECT_EQ(Run("http://x", "http://x"), "Cannot create file " + Folder + "\\x.URL");
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, UrlCopiedWithItsLineBreakAndBlanksIsStoredWithoutThem)
{
    ASSERT_EQ(Run(" http://x/a \r\n", " http://x/a \r\n"), "");
    EXPECT_EQ(Contents(Folder + "\\x_a.URL"), "[InternetShortcut]\r\nURL=http://x/a\r\n");
    ASSERT_EQ(Run("mailto:ann@example.org\n", "mailto:ann@example.org\n"), "");
    EXPECT_EQ(Contents(Folder + "\\ann@example_org.URL"), "[InternetShortcut]\r\nURL=mailto:ann@example.org\r\n");
    EXPECT_EQ(Run("http://x\r\nIconFile=y\r\n", "http://x\r\nIconFile=y\r\n"), "A URL cannot contain a line break");
}

TEST_F(MakeShortcutTest, UrlNamesAreVisibleFilesNeverDevicesNamelessOrTooLong)
{
    const std::pair<std::string, std::string> cases[] = {
        {"http://nul", "nul_"},     {"mailto:con", "con_"},   {"http://COM1", "COM1_"},
        {"ftp://Lpt9", "Lpt9_"},    {"http://aux", "aux_"},   {"http://conin$", "conin$_"},
        {"http://com10", "com10"},  {"http://nul.txt", "nul_txt"}, {"http://", "Internet Shortcut"},
        {"mailto:", "Internet Shortcut"},
    };
    for (const auto& [url, name] : cases) {
        ASSERT_EQ(Run(url, url), "") << url;
        EXPECT_EQ(Contents(Folder + "\\" + name + ".URL"), "[InternetShortcut]\r\nURL=" + url + "\r\n") << url;
        EXPECT_EQ(sim.shell.Opened.back().File, Folder + "\\" + name + ".URL");
    }
    // A long address is cut to what a whole path of 259 characters leaves for the name.
    const std::string longUrl = "http://" + std::string(300, 'a');
    ASSERT_EQ(Run(longUrl, longUrl), "");
    const std::string file = Folder + "\\" + std::string(259 - Folder.size() - 5, 'a') + ".URL";
    EXPECT_EQ(file.size(), 259u);
    EXPECT_EQ(Contents(file), "[InternetShortcut]\r\nURL=" + longUrl + "\r\n");
}

TEST_F(MakeShortcutTest, LineBreakInAUrlIsRefusedRatherThanWrittenAsExtraLines)
{
    EXPECT_EQ(Run("http://x\r\nIconFile=y", "http://x\r\nIconFile=y"), "A URL cannot contain a line break");
    EXPECT_FALSE(sim.files.FileExists(Folder + "\\x__IconFile_y.URL"));
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, LinkThatCannotBeSavedIsAnErrorNotASilentHide)
{
    // Operation 3 with arguments that make no file name.
    EXPECT_EQ(Run("--open *.txt", "C:\\Tools\\editor.exe", "", "--open *.txt"),
              "Cannot create file " + Folder + "\\--open *.txt.lnk");
    // A name with a sign file names cannot hold after the last backslash or colon.
    EXPECT_EQ(Run("C:\\Docs\\report?.txt", "C:\\Tools\\editor.exe", "", "C:\\Docs\\report?.txt"),
              "Cannot create file " + Folder + "\\report?.txt.lnk");
    // A full path longer than 259 characters.
    const std::string longName(250, 'n');
    EXPECT_EQ(Run(longName, "C:\\Tools\\editor.exe", "", longName),
              "Cannot create file " + Folder + "\\" + longName + ".lnk");
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, UnavailableShellLinkObjectIsReported)
{
    sim.shellLinks.FailCreate = true;
    EXPECT_EQ(Run("C:\\Projects\\Tool", "C:\\Projects\\Tool"), "Error creating IShellLink");
    ExpectNothingHappened();
}

TEST_F(MakeShortcutTest, ShellShortcutFileJoinsWithOneBackslash)
{
    EXPECT_EQ(ShellShortcutFile("C:\\A", "b"), "C:\\A\\b.lnk");
    EXPECT_EQ(ShellShortcutFile("C:\\", "b"), "C:\\b.lnk");
}

TEST_F(MakeShortcutTest, CreateShellShortcutChecksTheTargetBeforeTheFolder)
{
    EXPECT_THROW(
        {
            try {
                CreateShellShortcut("", "x", "C:\\Missing", "", "");
            } catch (const Exception& error) {
                EXPECT_STREQ(error.what(), "Cannot create shortcut. Target file does not exist");
                throw;
            }
        },
        Exception);
    try {
        CreateShellShortcut("", "x", "C:\\Tools\\editor.exe", "", "");
        FAIL();
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Destination directory not specified");
    }
}

} // namespace
