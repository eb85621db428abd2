#include "config/uConfig.h"

#include "config/SignInStart.h"

#include <utility>
#include <vector>

#include "CatalogueTest.h"
#include "platform/headless/Widgets.h"

namespace {

using namespace platform;
using platform::headless::RegType;
using platform::headless::RegValue;
using platform::headless::SimForm;

class ConfigDialogTest : public CatalogueTest {
protected:
    ConfigDialogTest()
    {
        AddProgram("Editor");
        sim.files.AddFile("C:\\Users\\me\\Desktop\\Notes.lnk", "shortcut");
    }

    void StoreDword(const std::string& name, std::uint32_t value) { sim.registry.SetValue(SettingsKey, name, RegValue::Dword(value)); }
    std::uint32_t Saved(const std::string& name)
    {
        const RegValue* value = sim.registry.FindValue(SettingsKey, name);
        EXPECT_NE(value, nullptr) << name;
        if (value == nullptr)
            return 0xDEADBEEF;
        EXPECT_EQ(value->Type, RegType::Dword) << name;
        return value->Number;
    }

    // Opens the dialog (after the catalogue exists, as in the running program) and acts as the user.
    int Open(const std::function<void(SimForm&)>& user)
    {
        generationBefore = SearchData().Generation();
        TfrmConfig dialog;
        sim.widgets.WhileModal = [&](SimForm& form) {
            Shown = &form;
            user(form);
        };
        const int result = dialog.ShowModal();
        Shown = nullptr;
        return result;
    }
    bool CatalogueRebuilt() { return SearchData().Generation() != generationBefore; }
    bool Listed(const std::string& path) { return LiveEntry(path) != nullptr; }

    static std::vector<bool> Modifiers(SimForm& form, const std::string& group)
    {
        return {form.CheckBox("cb" + group + "Win").Checked(), form.CheckBox("cb" + group + "Ctrl").Checked(),
                form.CheckBox("cb" + group + "Shift").Checked(), form.CheckBox("cb" + group + "Alt").Checked()};
    }

    SimForm* Shown = nullptr;
    std::uint64_t generationBefore = 0;
};

TEST_F(ConfigDialogTest, OpensWithTheStoredSettings)
{
    StoreDword("AddModifierKey", 1 | 4);
    StoreDword("RunKey", 90);
    StoreDword("RecentFiles", 0);
    Open([](SimForm& form) {
        EXPECT_EQ(form.Caption, "Configuration");
        EXPECT_EQ(Modifiers(form, "Key"), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(Modifiers(form, "Add"), (std::vector<bool>{false, false, true, true}));
        EXPECT_EQ(form.ComboBox("cbxKey").SelectedText(), "J");
        EXPECT_EQ(form.ComboBox("cbxAdd").SelectedText(), "K");
        EXPECT_EQ(form.ComboBox("cbxRun").SelectedText(), "Z");
        auto& locations = form.CheckListBox("clbLocationsToSearch");
        ASSERT_EQ(locations.Count(), 6);
        EXPECT_EQ(locations.Text(0), "Start Menu (All Users)");
        EXPECT_EQ(locations.Text(4), "Recent Files");
        EXPECT_EQ(locations.Text(5), "Apps from the Microsoft Store and Windows");
        for (int item = 0; item < 4; ++item)
            EXPECT_TRUE(locations.Checked(item)) << item;
        EXPECT_FALSE(locations.Checked(4));
        EXPECT_TRUE(locations.Checked(5));
    });
}

TEST_F(ConfigDialogTest, EachStoredBitChecksItsOwnBoxOnly)
{
    // One bit at a time: stored together, Alt and Shift could not be told apart.
    const std::uint32_t bits[] = {8, 2, 4, 1}; // the boxes' order: Win, Ctrl, Shift, Alt
    for (std::size_t n = 0; n < 4; ++n) {
        for (const char* setting : {"ModifierKey", "AddModifierKey", "RunModifierKey"})
            StoreDword(setting, bits[n]);
        FreeConfig();
        std::vector<bool> expected(4, false);
        expected[n] = true;
        Open([&](SimForm& form) {
            for (const char* group : {"Key", "Add", "Run"})
                EXPECT_EQ(Modifiers(form, group), expected) << group << " with the bit " << bits[n];
        });
    }
}

TEST_F(ConfigDialogTest, KeyListsOfferTheLettersWithTheirKeyCodes)
{
    Open([](SimForm& form) {
        for (const char* list : {"cbxKey", "cbxAdd", "cbxRun"}) {
            auto& keys = form.ComboBox(list);
            ASSERT_EQ(keys.Count(), 26) << list;
            for (int item = 0; item < 26; ++item) {
                EXPECT_EQ(keys.Text(item), std::string(1, static_cast<char>('A' + item)));
                EXPECT_EQ(keys.Data(item), 65 + item);
            }
        }
    });
}

TEST_F(ConfigDialogTest, EachBoxIsItsOwnBit)
{
    const std::pair<const char*, std::uint32_t> boxes[] = {{"Win", 8}, {"Ctrl", 2}, {"Shift", 4}, {"Alt", 1}};
    for (const auto& [box, bit] : boxes) {
        Open([&](SimForm& form) {
            form.CheckBox("cbKeyWin").Click(); // off: the default Windows key
            form.CheckBox(std::string("cbKey") + box).Click();
            form.Button("Button1").Click();
        });
        EXPECT_EQ(Saved("ModifierKey"), bit) << box;
        EXPECT_EQ(Config().ModifierKey, static_cast<std::int32_t>(bit));
        Config().ModifierKey = 8;
    }
}

TEST_F(ConfigDialogTest, OkWithoutChangesSavesEverythingAndRebuildsTheCatalogue)
{
    StoreDword("ControlPanel", 1);
    EXPECT_EQ(Open([](SimForm& form) { form.PressKey(vk::Return); }), ModalResultOk);
    for (const TSetting& setting : Settings) {
        const std::uint32_t expected = std::string(setting.Name) == "ControlPanel" ? 1u : setting.Default;
        EXPECT_EQ(Saved(setting.Name), expected) << setting.Name; // the panel's switch: neither shown nor changed
    }
    EXPECT_TRUE(Config().ControlPanel);
    EXPECT_TRUE(CatalogueRebuilt());
}

TEST_F(ConfigDialogTest, OkWithChangesStoresTheNewHotkeysAndLocations)
{
    ASSERT_TRUE(Listed("C:\\Users\\me\\Desktop\\Notes.lnk"));
    Open([](SimForm& form) {
        form.CheckBox("cbKeyWin").Click(); // no modifier at all: the bare letter
        EXPECT_TRUE(form.ComboBox("cbxAdd").Pick("Q"));
        form.CheckBox("cbRunCtrl").Click();
        form.CheckBox("cbRunAlt").Click();
        form.CheckListBox("clbLocationsToSearch").Toggle(2); // Desktop
        form.CheckListBox("clbLocationsToSearch").Toggle(5); // the Store's and Windows' apps
        form.Button("Button1").Click();
    });
    EXPECT_EQ(Saved("PackagedApps"), 0u);
    EXPECT_FALSE(Config().PackagedApps);
    EXPECT_EQ(Saved("ModifierKey"), 0u);
    EXPECT_EQ(Saved("AddKey"), 81u);
    EXPECT_EQ(Saved("RunModifierKey"), 8u | 2u | 1u);
    EXPECT_EQ(Saved("Desktop"), 0u);
    EXPECT_EQ(Saved("StartMenuMe"), 1u);
    EXPECT_FALSE(Config().Desktop);
    EXPECT_FALSE(Listed("C:\\Users\\me\\Desktop\\Notes.lnk"));
    EXPECT_TRUE(Listed(PathOf("Editor")));
}

TEST_F(ConfigDialogTest, CancelEscapeAndCloseChangeNothing)
{
    const std::function<void(SimForm&)> endings[] = {
        [](SimForm& form) { form.Button("Button2").Click(); },
        [](SimForm& form) { form.PressKey(vk::Escape); },
        [](SimForm& form) { form.Close(); },
    };
    for (const auto& end : endings) {
        const int result = Open([&](SimForm& form) {
            form.CheckBox("cbKeyShift").Click();
            form.ComboBox("cbxKey").Pick("A");
            form.CheckListBox("clbLocationsToSearch").Toggle(0);
            end(form);
        });
        EXPECT_EQ(result, ModalResultCancel);
        EXPECT_EQ(sim.registry.FindValue(SettingsKey, "ModifierKey"), nullptr);
        EXPECT_EQ(Config().ModifierKey, 8);
        EXPECT_EQ(Config().Key, 74);
        EXPECT_TRUE(Config().StartMenuAllUsers);
        EXPECT_FALSE(CatalogueRebuilt());
    }
}

TEST_F(ConfigDialogTest, ExtraModifierBitsAreShownAsTheFourAndSavedWithout)
{
    StoreDword("ModifierKey", 0x4000 | 0x10 | 2 | 8);
    Open([](SimForm& form) {
        EXPECT_EQ(Modifiers(form, "Key"), (std::vector<bool>{true, true, false, false}));
        form.Button("Button1").Click();
    });
    EXPECT_EQ(Saved("ModifierKey"), 10u);
}

TEST_F(ConfigDialogTest, KeyOutsideTheLettersShowsNoLetterAndIsKeptOnOk)
{
    StoreDword("Key", 112); // F1
    StoreDword("RunKey", 0xFFFFFFFF);
    Open([](SimForm& form) {
        EXPECT_EQ(form.ComboBox("cbxKey").ItemIndex(), IComboBox::NoItem);
        EXPECT_EQ(form.ComboBox("cbxRun").ItemIndex(), IComboBox::NoItem);
        form.Button("Button1").Click();
    });
    EXPECT_EQ(Saved("Key"), 112u);
    EXPECT_EQ(Saved("RunKey"), 0xFFFFFFFFu);
    EXPECT_EQ(Config().Key, 112);

    // Picking a letter for such a group replaces the code.
    Open([](SimForm& form) {
        form.ComboBox("cbxKey").Pick("B");
        form.Button("Button1").Click();
    });
    EXPECT_EQ(Saved("Key"), 66u);
}

TEST_F(ConfigDialogTest, FailedSaveIsReportedClosesWithOkAndSkipsTheRebuild)
{
    sim.registry.FailWritesTo("AddKey");
    const int result = Open([](SimForm& form) {
        form.ComboBox("cbxKey").Pick("L");
        form.Button("Button1").Click();
    });
    EXPECT_EQ(result, ModalResultOk);
    EXPECT_EQ(sim.application.ErrorsShown, (std::vector<std::string>{"Failed to set data for 'AddKey'"}));
    EXPECT_EQ(Config().Key, 76);
    EXPECT_EQ(Saved("Key"), 76u);                                       // written before the failure
    EXPECT_EQ(sim.registry.FindValue(SettingsKey, "RunKey"), nullptr); // never reached
    EXPECT_FALSE(CatalogueRebuilt());
}

// The box shows the Run entry as it stands and Ok makes the entry follow the box.
TEST_F(ConfigDialogTest, StartAtSignInBoxIsTheRunEntry)
{
    sim.modules.ProgramFilePath = "C:\\Tools\\Zephyrix Portable\\zephyrix.exe";
    const auto entry = [&] { return sim.registry.FindValue(SignInStart::RunKey, "Zephyrix"); };

    Open([](SimForm& form) {
        EXPECT_FALSE(form.CheckBox("cbStartAtSignIn").Checked());
        form.CheckBox("cbStartAtSignIn").Click();
        form.Button("Button1").Click();
    });
    ASSERT_NE(entry(), nullptr);
    EXPECT_EQ(entry()->Text, "\"C:\\Tools\\Zephyrix Portable\\zephyrix.exe\"");

    // Cancel leaves the entry as it was.
    Open([](SimForm& form) {
        EXPECT_TRUE(form.CheckBox("cbStartAtSignIn").Checked());
        form.CheckBox("cbStartAtSignIn").Click();
        form.Button("Button2").Click();
    });
    EXPECT_NE(entry(), nullptr);

    // Another copy's entry (the installed one's, seen from a portable copy) shows as on,
    // and Ok with the box as it was leaves it pointing there.
    sim.registry.SetValue(SignInStart::RunKey, "Zephyrix", RegValue::Sz("\"D:\\Old\\zephyrix.exe\""));
    Open([](SimForm& form) {
        EXPECT_TRUE(form.CheckBox("cbStartAtSignIn").Checked());
        form.Button("Button1").Click();
    });
    EXPECT_EQ(entry()->Text, "\"D:\\Old\\zephyrix.exe\"");

    Open([](SimForm& form) {
        form.CheckBox("cbStartAtSignIn").Click();
        form.Button("Button1").Click();
    });
    EXPECT_EQ(entry(), nullptr);
    EXPECT_EQ(sim.registry.FindValue(SettingsKey, "StartAtSignIn"), nullptr) << "no stored copy of the state";
}

TEST_F(ConfigDialogTest, RefusedSignInWriteIsReportedTheOtherSettingsSavedAndTheBoxShowsTheEntry)
{
    sim.registry.FailWritesTo("Zephyrix");
    const int result = Open([](SimForm& form) {
        form.ComboBox("cbxKey").Pick("L");
        form.CheckBox("cbStartAtSignIn").Click();
        form.Button("Button1").Click();
        EXPECT_FALSE(form.CheckBox("cbStartAtSignIn").Checked()) << "the box shows the entry as it is";
    });
    EXPECT_EQ(sim.application.ErrorsShown,
              (std::vector<std::string>{"The sign-in entry \"Zephyrix\" could not be switched on: Access is denied."}));
    EXPECT_EQ(result, ModalResultOk);
    EXPECT_EQ(Saved("Key"), 76u) << "the other settings are saved all the same";
    EXPECT_EQ(sim.registry.FindValue(SignInStart::RunKey, "Zephyrix"), nullptr);
}

// Windows' own switch (Task Manager, Settings > Apps > Startup) holds an existing entry
// off: the box shows it off, and ticking it switches it on there too.
TEST_F(ConfigDialogTest, WindowsStartupSwitchIsHonouredAndTickingTurnsItOn)
{
    const std::string off("\x03\0\0\0\x10\x20\x30\x40\x50\x60\x70\x01", 12);
    sim.registry.SetValue(SignInStart::RunKey, "Zephyrix", RegValue::Sz("\"C:\\Apps\\zephyrix.exe\""));
    for (const auto& [stored, on] : std::vector<std::pair<std::string, bool>>{{off, false},
                                                                              {std::string("\x07\0\0\0", 4), false},
                                                                              {std::string("\x02\0\0\0", 4), true},
                                                                              {std::string("\x06", 1), true},
                                                                              {"", true}}) {
        sim.registry.SetValue(SignInStart::ApprovedKey, "Zephyrix", RegValue::Binary(stored));
        EXPECT_EQ(SignInStart::IsOn(), on) << static_cast<int>(stored.empty() ? -1 : stored[0]);
    }
    sim.registry.SetValue(SignInStart::ApprovedKey, "Zephyrix", RegValue::Sz("3"));
    EXPECT_TRUE(SignInStart::IsOn()) << "a value of another type is not Windows' switch";

    sim.registry.SetValue(SignInStart::ApprovedKey, "Zephyrix", RegValue::Binary(off));
    Open([](SimForm& form) {
        EXPECT_FALSE(form.CheckBox("cbStartAtSignIn").Checked());
        form.CheckBox("cbStartAtSignIn").Click();
        form.Button("Button1").Click();
    });
    EXPECT_TRUE(SignInStart::IsOn());
    EXPECT_EQ(sim.registry.FindValue(SignInStart::ApprovedKey, "Zephyrix")->Text[0], '\x02');
    EXPECT_NE(sim.registry.FindValue(SignInStart::RunKey, "Zephyrix"), nullptr);
}

} // namespace
