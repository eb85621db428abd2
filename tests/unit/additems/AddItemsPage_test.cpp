#include "additems/AddItemsPage.h"

#include "CatalogueTest.h"
#include "platform/headless/Widgets.h"

namespace {

using namespace platform;
using platform::headless::SimForm;

class AddItemsPageTest : public CatalogueTest {
protected:
    static constexpr const char* Folder = "C:\\Users\\me\\Start Menu\\Programs\\Zephyrix\\New Shortcuts";
    static constexpr const char* Editor = "C:\\Users\\me\\Start Menu\\Programs\\Editor.lnk";

    AddItemsPageTest()
    {
        AddProgram("Editor");
        AddProgram("Paint");
        sim.files.AddFolder("C:\\docs");
        sim.files.AddFile("C:\\docs\\report.txt", "text");
        owned = sim.widgets.CreateForm("TAddItemsPage");
        form = static_cast<SimForm*>(owned.get());
        page = std::make_unique<TAddItemsPage>(*form, Folder, [this](const std::string& text) { ShowFromMessage(text); });
        form->AcceptDroppedFiles();
        form->OnDropFiles = [this](const std::vector<std::string>& names) { page->StDropFiles1DropFiles(names); };
    }

    // The main window's part, as far as this page sees it: a non-empty text brings
    // the page into view and then becomes edClipboard's text.
    void ShowFromMessage(const std::string& text)
    {
        ShownMessages.push_back(text);
        if (text.empty())
            return;
        ShowPage();
        page->edClipboard.SetText(text);
    }
    // The page comes into view (hotkey, tab, ShowFromMessage).
    void ShowPage() { form->Guard([this] { page->tsAddItemsShow(); }); }

    void Type(const std::string& text)
    {
        page->edClipboard.SetText("");
        page->edClipboard.SetFocus();
        form->Type(text);
    }
    // Clicks a button; when the selector comes up, the user types a few letters and
    // presses Enter, or Escape when letters is empty.
    void ClickWithSelector(const std::string& button, const std::string& letters)
    {
        sim.widgets.WhileModal = [letters](SimForm& selector) {
            if (letters.empty()) {
                selector.PressKey(vk::Escape);
                return;
            }
            selector.Type(letters);
            selector.PressKey(vk::Return);
        };
        form->Button(button).Click();
    }

    const ShellLinkDefinition* Link(const std::string& name) { return sim.shellLinks.Written(std::string(Folder) + "\\" + name); }

    // The window is still up, on this page with the text, and nothing was started.
    void ExpectUnchanged(const std::string& text)
    {
        EXPECT_EQ(page->edClipboard.Text(), text);
        EXPECT_EQ(sim.application.HideCount, 0);
        EXPECT_TRUE(sim.shell.Opened.empty());
    }

    std::unique_ptr<IForm> owned;
    SimForm* form = nullptr;
    std::unique_ptr<TAddItemsPage> page;
    std::vector<std::string> ShownMessages;
};

TEST_F(AddItemsPageTest, ButtonsCarryTheirMnemonicCaptions)
{
    EXPECT_EQ(form->Button("btnLaunchFile").Caption, "&1.  Launch this file / open directory with Windows explorer.");
    EXPECT_EQ(form->Button("btnLaunchAsStartIn").Caption, "&2.  Launch another program that starts in this directory.");
    EXPECT_EQ(form->Button("btnLaunchAsParam").Caption,
              "&3.  Launch another program with this as a command-line parameter.");
    EXPECT_EQ(form->Button("SpeedButton1").Caption, "&Browse");
}

TEST_F(AddItemsPageTest, ShowingThePageAgainReplacesTypedTextByTheClipboards)
{
    sim.clipboard.Contents = "C:\\docs";
    ShowPage();
    EXPECT_EQ(page->edClipboard.Text(), "C:\\docs");
    Type("typed");
    EXPECT_EQ(page->edClipboard.Text(), "typed");
    ShowPage();
    EXPECT_EQ(page->edClipboard.Text(), "C:\\docs");
    sim.clipboard.Contents.reset();
    ShowPage();
    EXPECT_EQ(page->edClipboard.Text(), "");
}

TEST_F(AddItemsPageTest, ClipboardHeldElsewhereIsReportedAndTheTextStays)
{
    Type("kept");
    sim.clipboard.Contents = "other";
    sim.clipboard.HeldByAnotherProgram = true;
    ShowPage();
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Cannot open clipboard."}));
    EXPECT_EQ(page->edClipboard.Text(), "kept");
}

TEST_F(AddItemsPageTest, BrowsePutsThePickedPathInAndCancelLeavesTheText)
{
    Type("before");
    form->Button("SpeedButton1").Click();
    EXPECT_EQ(page->edClipboard.Text(), "before");
    sim.fileDialogs.Pick = "C:\\docs\\report.txt";
    form->Button("SpeedButton1").Click();
    EXPECT_EQ(page->edClipboard.Text(), "C:\\docs\\report.txt");
    EXPECT_EQ(sim.fileDialogs.TimesShown, 2);
}

TEST_F(AddItemsPageTest, OnlyTheFirstDroppedFileIsTakenAndWinsOverTheClipboard)
{
    sim.clipboard.Contents = "from the clipboard";
    Type("typed");
    form->DropFiles({"C:\\docs\\report.txt", "C:\\docs", "C:\\x"});
    EXPECT_EQ(ShownMessages, (std::vector<std::string>{"C:\\docs\\report.txt"}));
    EXPECT_EQ(page->edClipboard.Text(), "C:\\docs\\report.txt");
    form->DropFiles({});
    EXPECT_EQ(ShownMessages.size(), 1u);
}

TEST_F(AddItemsPageTest, OperationOneLinksTheFileItself)
{
    Type("C:\\docs\\report.txt");
    form->Button("btnLaunchFile").Click();
    const auto* link = Link("report.txt.lnk");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target.Path, "C:\\docs\\report.txt");
    EXPECT_EQ(link->Target.Arguments, "");
    EXPECT_EQ(link->Target.WorkingDirectory, "");
    ASSERT_EQ(sim.shell.Opened.size(), 1u);
    EXPECT_EQ(sim.shell.Opened[0].File, "C:\\docs\\report.txt");
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(AddItemsPageTest, OperationOneWritesAUrlFileForAUrl)
{
    Type("ftp://server/page.html");
    form->Button("btnLaunchFile").Click();
    EXPECT_EQ(sim.files.Find(std::string(Folder) + "\\server_page_html.URL")->Contents,
              "[InternetShortcut]\r\nURL=ftp://server/page.html\r\n");
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(AddItemsPageTest, OperationTwoStartsThePickedProgramInTheDirectory)
{
    Type("C:\\docs");
    ClickWithSelector("btnLaunchAsStartIn", "edi");
    const auto* link = Link("docs.lnk");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target.Path, Editor);
    EXPECT_EQ(link->Target.Arguments, "");
    EXPECT_EQ(link->Target.WorkingDirectory, "C:\\docs");
    EXPECT_EQ(link->Description, "docs");
    EXPECT_EQ(sim.application.HideCount, 1);
    EXPECT_EQ(sim.shell.Opened.size(), 1u);
}

TEST_F(AddItemsPageTest, OperationThreePassesTheTextAsArguments)
{
    Type("C:\\docs\\report.txt");
    ClickWithSelector("btnLaunchAsParam", "edi");
    const auto* link = Link("report.txt.lnk");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target.Path, Editor);
    EXPECT_EQ(link->Target.Arguments, "C:\\docs\\report.txt");
    EXPECT_EQ(link->Target.WorkingDirectory, "");
    EXPECT_EQ(sim.application.HideCount, 1);
}

TEST_F(AddItemsPageTest, OperationsTwoAndThreeWriteNoUrlFileForAUrlText)
{
    Type("http://x/y");
    ClickWithSelector("btnLaunchAsParam", "edi");
    // The name comes from after the text's last colon and holds slashes: no file can be named so.
    EXPECT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_FALSE(sim.files.FileExists(std::string(Folder) + "\\x_y.URL"));
}

TEST_F(AddItemsPageTest, CancelledSelectorWritesNothingAndLeavesTheWindow)
{
    for (const char* button : {"btnLaunchAsStartIn", "btnLaunchAsParam"}) {
        Type("C:\\docs");
        ClickWithSelector(button, "");
        EXPECT_FALSE(sim.files.FolderExists(Folder)) << button;
        ExpectUnchanged("C:\\docs");
        EXPECT_TRUE(sim.application.ErrorsShown.empty());
    }
}

TEST_F(AddItemsPageTest, ErrorsAreReportedAndLeaveThePageAsItWas)
{
    Type("C:\\docs\\missing.txt");
    form->Button("btnLaunchFile").Click();
    Type("");
    form->Button("btnLaunchFile").Click();
    EXPECT_EQ(sim.application.ErrorsShown,
              (std::vector<std::string>{"Cannot create shortcut. Target file does not exist.",
                                        "Cannot create shortcut. Target file does not exist."}));
    ExpectUnchanged("");
}

TEST_F(AddItemsPageTest, UnsaveableShortcutIsReportedInsteadOfHidingTheWindow)
{
    Type("--files *.txt");
    ClickWithSelector("btnLaunchAsParam", "edi");
    ASSERT_EQ(sim.application.ErrorsShown.size(), 1u);
    EXPECT_EQ(sim.application.ErrorsShown[0], "Cannot create file " + std::string(Folder) + "\\--files *.txt.lnk.");
    ExpectUnchanged("--files *.txt");
}

TEST_F(AddItemsPageTest, NoProgramsFolderIsReported)
{
    TAddItemsPage homeless(*form, "", nullptr);
    Type("C:\\docs");
    form->Guard([&] { homeless.btnLaunchFileClick(); });
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Unable to create directory."}));
    ExpectUnchanged("C:\\docs");
}

TEST_F(AddItemsPageTest, ResizingKeepsTheButtonsAndTheEditFitted)
{
    form->Panel("pnlButtons").Resize(500);
    EXPECT_EQ(form->Button("btnLaunchFile").Width(), 492);
    EXPECT_EQ(form->Button("btnLaunchAsStartIn").Width(), 492);
    EXPECT_EQ(form->Button("btnLaunchAsParam").Width(), 492);
    form->Panel("pnlTopMiddle").Resize(300);
    EXPECT_EQ(form->Edit("edClipboard").Width(), 288);
}

} // namespace
