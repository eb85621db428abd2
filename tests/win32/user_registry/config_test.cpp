#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RunEntry.h"
#include "SettingsKeyTest.h"
#include "ShellLinkWriter.h"
#include "catalogue/uSearchData.h"
#include "config/uConfig.h"
#include "platform/win32/Forms.h"
#include "platform/win32/MessagePump.h"

namespace {

using platform::win32::Win32Form;

// The real dialog over the real settings key. The catalogue that Ok rebuilds reads
// only the test's own folders, and errors are recorded instead of shown.
class ConfigDialogTest : public SettingsKeyTest {
protected:
    class ScratchPlatform : public RecordingPlatform {
    public:
        class Folders : public platform::ISpecialFolders {
        public:
            std::string Root;
            std::string Path(int csidl) override { return Root + "\\csidl" + std::to_string(csidl); }
        };
        class NoApplets : public platform::win32::Modules {
        public:
            std::string Root;
            std::string SystemDirectory() override { return Root + "\\system"; }
        };
        // The real registry, but a write of the value named Refused fails as a denied one would.
        class RefusingRegistry : public platform::win32::Registry {
        public:
            class Key : public platform::IRegistryKey {
            public:
                Key(std::unique_ptr<platform::IRegistryKey> key, const std::string& refused)
                    : key_(std::move(key)), refused_(refused)
                {
                }
                bool ValueExists(const std::string& name) const override { return key_->ValueExists(name); }
                std::uint32_t ValueCount() const override { return key_->ValueCount(); }
                std::optional<std::uint32_t> ReadInteger(const std::string& name) const override
                {
                    return key_->ReadInteger(name);
                }
                std::optional<std::string> ReadString(const std::string& name) const override
                {
                    return key_->ReadString(name);
                }
                void WriteInteger(const std::string& name, std::uint32_t value) override
                {
                    if (name == refused_)
                        throw platform::ERegistry("Access is denied");
                    key_->WriteInteger(name, value);
                }
                void WriteString(const std::string& name, const std::string& value) override
                {
                    if (name == refused_)
                        throw platform::ERegistry("Access is denied");
                    key_->WriteString(name, value);
                }
                std::optional<std::string> ReadBinary(const std::string& name) const override
                {
                    return key_->ReadBinary(name);
                }
                void WriteBinary(const std::string& name, const std::string& bytes) override
                {
                    if (name == refused_)
                        throw platform::ERegistry("Access is denied");
                    key_->WriteBinary(name, bytes);
                }
                void DeleteValue(const std::string& name) override
                {
                    if (name == refused_)
                        throw platform::ERegistry("Access is denied");
                    key_->DeleteValue(name);
                }

            private:
                std::unique_ptr<platform::IRegistryKey> key_;
                const std::string& refused_;
            };
            std::unique_ptr<platform::IRegistryKey> OpenOrCreateKey(const std::string& path) override
            {
                return std::make_unique<Key>(platform::win32::Registry::OpenOrCreateKey(path), Refused);
            }
            std::string Refused;
        };
        platform::ISpecialFolders& SpecialFolders() override { return folders; }
        platform::IModules& Modules() override { return noApplets; }
        platform::IRegistry& Registry() override { return refusing; }
        Folders folders;
        NoApplets noApplets;
        RefusingRegistry refusing;
    };

    ConfigDialogTest()
    {
        platform_ = &InstallPlatform<ScratchPlatform>();
        platform_->folders.Root = ScratchFolder();
        platform_->noApplets.Root = ScratchFolder();
        for (const int csidl : {2, 5, 8, 16, 23})
            CreateDirectoryA(platform_->folders.Path(csidl).c_str(), nullptr);
        CreateDirectoryA(platform_->noApplets.SystemDirectory().c_str(), nullptr);
    }
    ~ConfigDialogTest() override { FreeSearchData(); }

    // What Show returns when nothing the test did ended the dialog.
    static constexpr int StillOpen = 99;

    // Shows the dialog; act runs once it is up, inside its modal loop, and posts
    // what the user does so that the loop handles it as input. A dialog that is
    // still open after 10 seconds is ended with StillOpen.
    static int Show(TfrmConfig& dialog, const std::function<void(Win32Form&)>& act)
    {
        auto& form = static_cast<Win32Form&>(*dialog.Form);
        dialog.Form->OnShow = [&] { act(form); };
        shown_ = &form;
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
            if (shown_ != nullptr)
                shown_->SetModalResult(StillOpen);
        });
        const int result = dialog.ShowModal();
        KillTimer(nullptr, watchdog);
        shown_ = nullptr;
        return result;
    }
    static inline Win32Form* shown_ = nullptr;
    static HWND Handle(Win32Form& form, const std::string& name) { return form.CheckBox(name).Handle(); }
    static HWND KeyList(Win32Form& form, const std::string& name) { return form.ComboBox(name).Handle(); }
    static HWND OkButton(Win32Form& form) { return form.Button("Button1").Handle(); }
    static HWND CancelButton(Win32Form& form) { return form.Button("Button2").Handle(); }
    static void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
    static void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }
    static void PostKey(HWND control, WPARAM key) { PostMessageA(control, WM_KEYDOWN, key, 1); }

    // The group's boxes as the windows show them: "W", "C", "S", "A" or "-" each.
    static std::string Modifiers(Win32Form& form, const std::string& group)
    {
        std::string shown;
        for (const char* box : {"Win", "Ctrl", "Shift", "Alt"}) {
            const bool checked = SendMessageA(Handle(form, "cb" + group + box), BM_GETCHECK, 0, 0) == BST_CHECKED;
            shown += checked ? box[0] : '-';
        }
        return shown;
    }
    // The letter the key list shows, empty when none.
    static std::string Letter(Win32Form& form, const std::string& list)
    {
        const auto item = SendMessageA(KeyList(form, list), CB_GETCURSEL, 0, 0);
        if (item == CB_ERR)
            return {};
        char text[16] = {};
        SendMessageA(KeyList(form, list), CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The locations' check marks as the list view shows them, "1" or "0" each.
    // The three hotkey groups as shown: each group's modifiers, "+", its letter.
    static std::string Hotkeys(Win32Form& form)
    {
        return Modifiers(form, "Key") + "+" + Letter(form, "cbxKey") + " " + Modifiers(form, "Add") + "+" +
               Letter(form, "cbxAdd") + " " + Modifiers(form, "Run") + "+" + Letter(form, "cbxRun");
    }

    static std::string Locations(Win32Form& form)
    {
        HWND list = form.CheckListBox("clbLocationsToSearch").Handle();
        std::string shown;
        for (int item = 0; item < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++item)
            shown += SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK) ==
                             INDEXTOSTATEIMAGEMASK(2)
                         ? '1'
                         : '0';
        return shown;
    }
    static DWORD StoredNumber(const char* name)
    {
        const auto [type, value] = Stored(name);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        return value;
    }
    static bool Listed(const std::string& name)
    {
        for (const auto& [text, entry] : SearchData().Items().Pairs())
            if (text == name)
                return true;
        return false;
    }
    // The folders are walked off this thread: waits until the walk has brought the name in.
    static bool InCatalogue(const std::string& name)
    {
        return platform::win32::PumpMessagesUntil([&] { return Listed(name); }, 30000);
    }
    void AddShortcut(int csidl, const std::string& name)
    {
        ASSERT_TRUE(WriteShellLink(platform_->folders.Path(csidl) + "\\" + name + ".lnk",
                                   "C:\\windows\\notepad.exe", "", "C:\\"));
    }

    ScratchPlatform* platform_ = nullptr;
};

TEST_F(ConfigDialogTest, OpensWithTheDefaultSettings)
{
    TfrmConfig dialog;
    auto& form = static_cast<Win32Form&>(*dialog.Form);
    EXPECT_EQ(Hotkeys(form), "W---+J W---+K W---+H");
    EXPECT_EQ(Locations(form), "111111");
    EXPECT_EQ(SendMessageA(KeyList(form, "cbxKey"), CB_GETCOUNT, 0, 0), 26);
    EXPECT_EQ(SendMessageA(KeyList(form, "cbxKey"), CB_GETITEMDATA, 25, 0), 90) << "Z carries its key code";
    char caption[64] = {};
    GetWindowTextA(form.Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Configuration");
}

TEST_F(ConfigDialogTest, OddStoredValuesShowOnlyWhatTheControlsCanAndOkKeepsTheKeys)
{
    SetDword("ModifierKey", 0x18 | 2); // 16 is no modifier the dialog knows
    SetDword("Key", 0x70);             // F1: no letter
    SetDword("AddModifierKey", 0);
    SetDword("AddKey", 64);
    SetDword("RunModifierKey", 0xFFFFFFF5);
    SetDword("RunKey", 90);
    SetDword("StartMenuMe", 0);
    SetDword("RecentFiles", 2);

    TfrmConfig dialog;
    auto& form = static_cast<Win32Form&>(*dialog.Form);
    EXPECT_EQ(Hotkeys(form), "WC--+ ----+ --SA+Z") << "no letter for F1 and @";
    EXPECT_EQ(Locations(form), "101111");

    EXPECT_EQ(Show(dialog, [](Win32Form& shown) { PostClick(OkButton(shown)); }), platform::ModalResultOk);
    EXPECT_EQ(StoredNumber("ModifierKey"), 0x0Au) << "only the four modifier bits are saved";
    EXPECT_EQ(StoredNumber("Key"), 0x70u) << "a key the list cannot show is kept";
    EXPECT_EQ(StoredNumber("AddModifierKey"), 0u);
    EXPECT_EQ(StoredNumber("AddKey"), 64u);
    EXPECT_EQ(StoredNumber("RunModifierKey"), 5u);
    EXPECT_EQ(StoredNumber("RunKey"), 90u);
    EXPECT_EQ(StoredNumber("StartMenuMe"), 0u);
    EXPECT_EQ(StoredNumber("RecentFiles"), 1u);
    EXPECT_TRUE(platform_->recording.Errors.empty());
}

TEST_F(ConfigDialogTest, OkSavesWhatTheUserChangedAndRebuildsTheCatalogue)
{
    SetDword("ControlPanel", 1);
    AddShortcut(platform::CsidlDesktopDirectory, "Desk Thing");
    AddShortcut(platform::CsidlPrograms, "Menu Thing");
    ASSERT_TRUE(InCatalogue("Desk Thing"));

    TfrmConfig dialog;
    const int result = Show(dialog, [](Win32Form& form) {
        Click(Handle(form, "cbKeyCtrl"));
        Click(Handle(form, "cbKeyWin"));
        HWND keys = KeyList(form, "cbxKey");
        SetFocus(keys);
        SendMessageA(keys, WM_CHAR, 'q', 1);
        Click(Handle(form, "cbRunWin")); // no modifier left: the bare letter
        // Down and up with nothing in between: another program's activation while
        // messages are pumped would take the box's capture and drop the press.
        HWND shift = Handle(form, "cbAddShift");
        SendMessageA(shift, WM_KEYDOWN, VK_SPACE, 1);
        SendMessageA(shift, WM_KEYUP, VK_SPACE, 0xC0000001);
        form.PageControl("PageControl1").SetActivePage(1);
        HWND locations = form.CheckListBox("clbLocationsToSearch").Handle();
        SetFocus(locations);
        PostKey(locations, VK_DOWN);
        PostKey(locations, VK_DOWN);
        PostKey(locations, VK_SPACE); // Desktop off
        PostClick(OkButton(form));
    });

    EXPECT_EQ(result, platform::ModalResultOk);
    EXPECT_EQ(StoredNumber("ModifierKey"), 2u);
    EXPECT_EQ(StoredNumber("Key"), static_cast<DWORD>('Q'));
    EXPECT_EQ(StoredNumber("AddModifierKey"), 12u);
    EXPECT_EQ(StoredNumber("AddKey"), static_cast<DWORD>('K'));
    EXPECT_EQ(StoredNumber("RunModifierKey"), 0u);
    EXPECT_EQ(StoredNumber("RunKey"), static_cast<DWORD>('H'));
    EXPECT_EQ(StoredNumber("StartMenuAllUsers"), 1u);
    EXPECT_EQ(StoredNumber("StartMenuMe"), 1u);
    EXPECT_EQ(StoredNumber("Desktop"), 0u);
    EXPECT_EQ(StoredNumber("MyDocuments"), 1u);
    EXPECT_EQ(StoredNumber("RecentFiles"), 1u);
    EXPECT_EQ(StoredNumber("ControlPanel"), 1u) << "not in the dialog, and not lost by it";
    EXPECT_EQ(Config().Key, 'Q');
    EXPECT_FALSE(Config().Desktop);
    EXPECT_TRUE(InCatalogue("Menu Thing"));
    EXPECT_FALSE(Listed("Desk Thing")) << "the catalogue was rebuilt without the desktop";
    EXPECT_TRUE(platform_->recording.Errors.empty());
}

TEST_F(ConfigDialogTest, TheStoreAppsItemShowsItsSwitchAndOkStoresIt)
{
    SetDword("PackagedApps", 0);
    TfrmConfig dialog;
    auto& form = static_cast<Win32Form&>(*dialog.Form);
    EXPECT_EQ(Locations(form), "111110");
    char text[80] = {};
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(form.CheckListBox("clbLocationsToSearch").Handle(), LVM_GETITEMTEXTA, 5,
                 reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Apps from the Microsoft Store and Windows");

    const int result = Show(dialog, [](Win32Form& shown) {
        shown.PageControl("PageControl1").SetActivePage(1);
        HWND locations = shown.CheckListBox("clbLocationsToSearch").Handle();
        SetFocus(locations);
        PostKey(locations, VK_END);
        PostKey(locations, VK_SPACE); // the last item on
        PostClick(OkButton(shown));
    });

    EXPECT_EQ(result, platform::ModalResultOk);
    EXPECT_EQ(StoredNumber("PackagedApps"), 1u);
    EXPECT_TRUE(Config().PackagedApps);
    EXPECT_TRUE(platform_->recording.Errors.empty()) << "no Applications folder here, and no word of it";
}

TEST_F(ConfigDialogTest, AFailedSaveIsReportedAndTheDialogStillEndsWithOk)
{
    AddShortcut(platform::CsidlDesktopDirectory, "Desk Thing");
    ASSERT_TRUE(InCatalogue("Desk Thing"));
    platform_->refusing.Refused = "RunKey";

    TfrmConfig dialog;
    const int result = Show(dialog, [](Win32Form& form) {
        Click(Handle(form, "cbKeyCtrl"));
        form.CheckListBox("clbLocationsToSearch").SetChecked(2, false);
        PostClick(OkButton(form));
    });

    EXPECT_EQ(result, platform::ModalResultOk) << "the button's result stands";
    EXPECT_EQ(platform_->recording.Errors, std::vector<std::string>{"Failed to set data for 'RunKey'"});
    EXPECT_EQ(StoredNumber("ModifierKey"), 10u) << "written before the failure";
    EXPECT_EQ(Stored("RunKey").first, 0u);
    EXPECT_EQ(Stored("Desktop").first, 0u) << "the save stopped at the failure";
    EXPECT_FALSE(Config().Desktop) << "the settings in memory keep what the dialog showed";
    EXPECT_TRUE(InCatalogue("Desk Thing")) << "no rebuild after a failed save";
}

// The box shows the user's Run entry as it stands; Ok makes the entry follow the box.
TEST_F(ConfigDialogTest, TheSignInBoxIsTheRunEntryAndARefusedWriteCostsNoOtherSetting)
{
    RunEntry::Backup backup;
    RunEntry::Remove();
    const auto checked = [](Win32Form& form) {
        return SendMessageA(Handle(form, "cbStartAtSignIn"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    const auto showAndToggle = [&](bool expectedBefore, HWND(*button)(Win32Form&)) {
        TfrmConfig dialog;
        return Show(dialog, [&](Win32Form& form) {
            EXPECT_EQ(checked(form), expectedBefore);
            Click(Handle(form, "cbStartAtSignIn"));
            PostClick(button(form));
        });
    };

    EXPECT_EQ(showAndToggle(false, OkButton), platform::ModalResultOk);
    DWORD type = REG_NONE;
    EXPECT_EQ(RunEntry::Read(type), RunEntry::QuotedOwnPath());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(showAndToggle(true, CancelButton), platform::ModalResultCancel);
    EXPECT_EQ(RunEntry::Read(), RunEntry::QuotedOwnPath()) << "Cancel leaves the entry";
    EXPECT_EQ(showAndToggle(true, OkButton), platform::ModalResultOk);
    EXPECT_EQ(RunEntry::Read(type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));

    // Refused: the error names the entry and the system's reason, the box shows the
    // entry as it is, and the other settings are saved.
    platform_->refusing.Refused = "Zephyrix";
    const DWORD modifiers = StoredNumber("ModifierKey");
    TfrmConfig refusedDialog;
    bool boxAfterOk = true;
    const int result = Show(refusedDialog, [&](Win32Form& form) {
        Click(Handle(form, "cbKeyCtrl"));
        Click(Handle(form, "cbStartAtSignIn"));
        Click(OkButton(form));
        boxAfterOk = checked(form);
    });
    EXPECT_EQ(result, platform::ModalResultOk);
    EXPECT_FALSE(boxAfterOk);
    EXPECT_EQ(platform_->recording.Errors,
              std::vector<std::string>{"The sign-in entry \"Zephyrix\" could not be switched on: Access is denied."});
    EXPECT_EQ(RunEntry::Read(type), "");
    EXPECT_EQ(StoredNumber("ModifierKey"), modifiers ^ 2u) << "the other settings were saved";
}

TEST_F(ConfigDialogTest, CancelEscAndTheCloseBoxChangeNothing)
{
    const std::function<void(Win32Form&)> closers[] = {
        [](Win32Form& form) { PostClick(CancelButton(form)); },
        [](Win32Form& form) { PostKey(Handle(form, "cbKeyCtrl"), VK_ESCAPE); },
        [](Win32Form& form) { PostMessageA(form.Handle(), WM_CLOSE, 0, 0); },
    };
    for (const auto& close : closers) {
        TfrmConfig dialog;
        const int result = Show(dialog, [&](Win32Form& form) {
            Click(Handle(form, "cbKeyCtrl"));
            SendMessageA(KeyList(form, "cbxKey"), WM_CHAR, 'a', 1);
            SetFocus(Handle(form, "cbKeyCtrl"));
            close(form);
        });
        EXPECT_EQ(result, platform::ModalResultCancel);
    }
    for (const char* name : {"ModifierKey", "Key", "Desktop", "ControlPanel"})
        EXPECT_EQ(Stored(name).first, 0u) << name << " was written";
    EXPECT_EQ(Config().ModifierKey, 8);
    EXPECT_EQ(Config().Key, 'J');
}

TEST_F(ConfigDialogTest, EnterAndAltOPressOkAndAltCCancelsEnterOnCancelToo)
{
    {
        TfrmConfig dialog;
        EXPECT_EQ(Show(dialog,
                       [](Win32Form& form) {
                           HWND shift = Handle(form, "cbKeyShift");
                           Click(shift);
                           SetFocus(shift);
                           PostKey(shift, VK_RETURN);
                       }),
                  platform::ModalResultOk);
        EXPECT_EQ(StoredNumber("ModifierKey"), 12u);
    }
    {
        TfrmConfig dialog;
        EXPECT_EQ(Show(dialog,
                       [](Win32Form& form) {
                           Click(Handle(form, "cbKeyAlt"));
                           SetFocus(CancelButton(form));
                           PostKey(CancelButton(form), VK_RETURN);
                       }),
                  platform::ModalResultCancel)
            << "Enter presses the button that has the focus";
        EXPECT_EQ(StoredNumber("ModifierKey"), 12u);
    }
    // The mnemonics as the keyboard sends them: a system key-down that becomes a system character.
    const auto pressAlt = [](char letter) {
        return [letter](Win32Form& form) {
            HWND box = Handle(form, "cbRunAlt");
            SetFocus(box);
            PostMessageA(box, WM_SYSKEYDOWN, static_cast<WPARAM>(letter), 1 | (1 << 29));
        };
    };
    {
        TfrmConfig dialog;
        EXPECT_EQ(Show(dialog, pressAlt('O')), platform::ModalResultOk);
    }
    TfrmConfig dialog;
    EXPECT_EQ(Show(dialog, pressAlt('C')), platform::ModalResultCancel);
}

TEST_F(ConfigDialogTest, EnterAndEscInAnOpenKeyListBelongToTheList)
{
    {
        TfrmConfig dialog;
        auto& form = static_cast<Win32Form&>(*dialog.Form);
        const int result = Show(dialog, [](Win32Form& shown) {
            HWND keys = KeyList(shown, "cbxKey");
            SetFocus(keys);
            SendMessageA(keys, CB_SHOWDROPDOWN, TRUE, 0);
            PostKey(keys, VK_DOWN);
            PostKey(keys, VK_RETURN); // picks the letter, does not press Ok
            PostClick(CancelButton(shown));
        });
        EXPECT_EQ(result, platform::ModalResultCancel);
        EXPECT_EQ(Letter(form, "cbxKey"), "K");
        EXPECT_FALSE(SendMessageA(KeyList(form, "cbxKey"), CB_GETDROPPEDSTATE, 0, 0));
    }
    TfrmConfig dialog;
    const int result = Show(dialog, [](Win32Form& shown) {
        HWND keys = KeyList(shown, "cbxAdd");
        SetFocus(keys);
        SendMessageA(keys, CB_SHOWDROPDOWN, TRUE, 0);
        PostKey(keys, VK_ESCAPE); // closes the list, does not cancel the dialog
        PostClick(OkButton(shown));
    });
    EXPECT_EQ(result, platform::ModalResultOk);
}

} // namespace
