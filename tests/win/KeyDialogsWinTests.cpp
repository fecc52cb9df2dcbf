// The key-selection, shortcut and options dialogs inside the whole program: every change
// reaches the record and what shows it (labels, the keyboard display).
#include "base/Text_win.h"
#include "app/Program_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "ui/Dialogs_win.h"
#include "ui/frmHotKeyOptions_win.h"
#include "ui/frmKeyBoardOptions_win.h"
#include "ui/frmOptions_win.h"
#include "ui/frmSet_win.h"

#include "tests/win/Accessible.h"
#include "tests/win/ProgramTest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const SettingsRecord& settings() { return TheProgram().Settings(); }

// The items of a combo box as (text, code), and the selected code (or none).
std::vector<std::pair<std::wstring, int32_t>> Items(HWND combo) {
    std::vector<std::pair<std::wstring, int32_t>> items;
    const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text, static_cast<int32_t>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return items;
}

std::optional<int32_t> SelectedCode(HWND combo) {
    const auto index = static_cast<size_t>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const auto items = Items(combo);
    return index < items.size() ? std::optional(items[index].second) : std::nullopt;
}

std::wstring SelectedText(HWND combo) {
    const auto index = static_cast<size_t>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const auto items = Items(combo);
    return index < items.size() ? items[index].first : L"";
}

// A choice as a user makes it: the list's selection moves and its parent is told.
void Choose(HWND combo, int32_t code) {
    const auto items = Items(combo);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].second != code) continue;
        ::SendMessageW(combo, CB_SETCURSEL, i, 0);
        ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
        return;
    }
    ADD_FAILURE() << "no item with code " << code;
}

void ExpectShortcut(HotKeyAction action, int32_t spec1, int32_t spec2, int32_t key) {
    const HotKeyInfo shortcut = HotKey(settings(), action);
    EXPECT_EQ((std::vector<int32_t>{shortcut.Spec1, shortcut.Spec2, shortcut.KeyCode}),
              (std::vector<int32_t>{spec1, spec2, key}));
}

void SetShortcut(HotKeyAction action, int32_t spec1, int32_t spec2, int32_t key) {
    const auto first = static_cast<int32_t>(SettingKey::HotKeyBlinkSpec1) + 3 * static_cast<int32_t>(action);
    TheProgram().ApplySetting(static_cast<SettingKey>(first), spec1);
    TheProgram().ApplySetting(static_cast<SettingKey>(first + 1), spec2);
    TheProgram().ApplySetting(static_cast<SettingKey>(first + 2), key);
}

// The whole program on a settings file of its own, as the settings-window tests run it.
class KeyDialogsTest : public ProgramTest {
protected:
    static void SetUpTestSuite() { StartProgram(L"glimmora-key-dialogs-test.ini"); }
    static void TearDownTestSuite() { EndProgram(); }
    void TearDown() override { SharedLanguage().ChangeLanguage(English); }
};

}  // namespace

TEST_F(KeyDialogsTest, KeySelectionBoxesSetTheirClassesAndTheDisplayFollows) {
    Click(TheProgram().SettingsWindow().Control("cmdKeyOptions"));
    PumpProgram(50);
    frmKeyBoardOptions& dialog = KeyBoardOptionsWindow();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(WindowText(dialog.hwnd()), L"Keys to be displayed");
    EXPECT_EQ(::GetWindow(dialog.hwnd(), GW_OWNER), TheProgram().SettingsWindow().hwnd());

    struct Case {
        int box;
        SettingKey key;
    } cases[] = {
        {frmKeyBoardOptions::chkFunction, SettingKey::ListFunctionKeys},
        {frmKeyBoardOptions::chkSpecial, SettingKey::ListSpecialKeys},
        {frmKeyBoardOptions::chkInput, SettingKey::ListInputKeys},
        {frmKeyBoardOptions::chkCursor, SettingKey::ListCursorKeys},
        {frmKeyBoardOptions::chkCharacter, SettingKey::ListCharacterKeys},
        {frmKeyBoardOptions::chkCharacterSpecial, SettingKey::ListCharacterSpecialKeys},
        {frmKeyBoardOptions::chkMouse, SettingKey::ListMouseButtons},
    };
    // The list option on, so that the display's list mode shows whether any class is on.
    if (!settings().IsOn(SettingKey::ListAnyKeys)) Click(TheProgram().SettingsWindow().Control("chkListSpecialKeys"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const HWND box = dialog.Control(c.box);
        EXPECT_EQ(Checked(box), settings().IsOn(c.key));
        // The restriction can only be ticked while character keys are listed.
        if (c.box == frmKeyBoardOptions::chkCharacterSpecial && !settings().IsOn(SettingKey::ListCharacterKeys))
            Click(dialog.Control(frmKeyBoardOptions::chkCharacter));
        const bool before = settings().IsOn(c.key);
        Click(box);
        EXPECT_NE(settings().IsOn(c.key), before);
        EXPECT_EQ(Checked(box), settings().IsOn(c.key));
    }

    // Greyed exactly while character keys are not listed.
    const HWND character = dialog.Control(frmKeyBoardOptions::chkCharacter);
    const HWND restriction = dialog.Control(frmKeyBoardOptions::chkCharacterSpecial);
    for (int i = 0; i < 2; ++i) {
        Click(character);
        EXPECT_EQ(::IsWindowEnabled(restriction) != FALSE, settings().IsOn(SettingKey::ListCharacterKeys));
    }

    // Every class off: no list on the display, the restriction alone counts for nothing.
    const KeyDisplay& display = TheProgram().overlays().keyBoard.Display();
    for (const Case& c : cases)
        if (c.box != frmKeyBoardOptions::chkCharacterSpecial && settings().IsOn(c.key)) Click(dialog.Control(c.box));
    EXPECT_FALSE(dialog.AnySelected());
    EXPECT_FALSE(display.ListMode());
    Click(dialog.Control(frmKeyBoardOptions::chkMouse));
    EXPECT_TRUE(dialog.AnySelected());
    EXPECT_TRUE(display.ListMode());

    Click(dialog.Control(frmKeyBoardOptions::cmdClose));
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_NE(dialog.hwnd(), nullptr);  // hidden, not destroyed
    // Opened again, it shows what changed meanwhile.
    TheProgram().ApplySetting(SettingKey::ListFunctionKeys, 1);
    Click(TheProgram().SettingsWindow().Control("cmdKeyOptions"));
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_TRUE(Checked(dialog.Control(frmKeyBoardOptions::chkFunction)));
    ::SendMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(KeyDialogsTest, EachShortcutButtonEditsItsOwnRecordAndLabelAndRepairsABadRecord) {
    struct Case {
        const char* button;
        const char* label;
        HotKeyAction action;
        const wchar_t* caption;
    } cases[] = {
        {"cmdHotkeyButtons", "lblHotkeyButtons", HotKeyAction::Buttons, L"Click indicator"},
        {"cmdHotkeyPicture", "lblHotkeyPicture", HotKeyAction::Picture, L"Mouse image"},
        {"cmdHotkeySpot", "lblHotkeySpot", HotKeyAction::Spot, L"Halo"},
        {"cmdHotkeyCrossHair", "lblHotkeyCrossHair", HotKeyAction::CrossHair, L"Cross hair"},
        {"cmdHotkeyKeyBoard", "lblHotkeyKeyBoard", HotKeyAction::KeyBoard, L"Keyboard"},
    };
    frmHotKeyOptions& dialog = HotKeyOptionsWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        SetShortcut(c.action, 16, 17, -1);
        Click(TheProgram().SettingsWindow().Control(c.button));
        PumpProgram(30);
        ASSERT_TRUE(dialog.IsVisible());
        EXPECT_EQ(WindowText(dialog.hwnd()), L"Select keyboard shortcut");
        EXPECT_EQ(WindowText(dialog.Control(frmHotKeyOptions::lblAction)), c.caption);
        EXPECT_EQ(dialog.EditedShortcut(), c.action);
        const HWND label = TheProgram().SettingsWindow().Control(c.label);
        EXPECT_EQ(dialog.ShortcutLabel(), label);
        const HWND spec1 = dialog.Control(frmHotKeyOptions::cboSpec1);
        const HWND spec2 = dialog.Control(frmHotKeyOptions::cboSpec2);
        const HWND key = dialog.Control(frmHotKeyOptions::cboKey);
        EXPECT_EQ(SelectedCode(spec1), 16);
        EXPECT_EQ(SelectedCode(spec2), 17);
        EXPECT_EQ(SelectedText(key), L"(none)");

        // Ctrl first takes Ctrl out of the second list, which falls back to Shift.
        Choose(spec1, 17);
        const std::vector<std::pair<std::wstring, int32_t>> rest{{L"Shift", 16}, {L"Alt", 18}};
        EXPECT_EQ(Items(spec2), rest);
        ExpectShortcut(c.action, 17, 16, -1);
        EXPECT_EQ(WindowText(label), L"(none)");
        Choose(key, 'K');
        Choose(spec2, 18);
        ExpectShortcut(c.action, 17, 18, 'K');
        EXPECT_EQ(WindowText(label), L"Ctrl+Alt+K");
        // The other records are untouched.
        for (const Case& other : cases) {
            if (other.action != c.action) {
                EXPECT_EQ(HotKey(settings(), other.action).KeyCode, -1) << other.button;
            }
        }
        Choose(key, -1);
        EXPECT_EQ(WindowText(label), L"(none)");
        Click(dialog.Control(frmHotKeyOptions::cmdClose));
        EXPECT_FALSE(dialog.IsVisible());
    }

    // A record with two equal modifiers is repaired when its dialog opens.
    SetShortcut(HotKeyAction::Spot, 18, 18, 'H');
    TheProgram().SettingsWindow().ShowSettings();
    Click(TheProgram().SettingsWindow().Control("cmdHotkeySpot"));
    EXPECT_EQ(SelectedCode(dialog.Control(frmHotKeyOptions::cboSpec1)), 18);
    EXPECT_EQ(SelectedCode(dialog.Control(frmHotKeyOptions::cboSpec2)), 16);
    ExpectShortcut(HotKeyAction::Spot, 18, 16, 'H');
    EXPECT_EQ(WindowText(TheProgram().SettingsWindow().Control("lblHotkeySpot")), L"Alt+Shift+H");

    // A key no list offers selects the list's first item, "(none)", and the record takes it.
    SetShortcut(HotKeyAction::Spot, 16, 17, 200);
    RefreshDialogs();
    EXPECT_EQ(SelectedCode(dialog.Control(frmHotKeyOptions::cboKey)), -1);
    ExpectShortcut(HotKeyAction::Spot, 16, 17, -1);
    EXPECT_EQ(WindowText(TheProgram().SettingsWindow().Control("lblHotkeySpot")), L"(none)");
    dialog.HideDialog();
}

TEST_F(KeyDialogsTest, OptionsSetBlinkAndPauseShortcutsAndTheTrayBehaviour) {
    ShowOptions(TheProgram(), TheProgram().SettingsWindow().hwnd());
    PumpProgram(30);
    frmOptions& dialog = OptionsWindow();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(WindowText(dialog.hwnd()), L"Options");
    EXPECT_EQ(WindowText(dialog.Control(frmOptions::lblBlink)), L"Blinking halo and cross hair");
    EXPECT_EQ(WindowText(dialog.Control(frmOptions::lblPause)), L"Toggle pause");
    // The defaults: Shift+Ctrl+Y and Shift+Ctrl+A.
    EXPECT_EQ(SelectedText(dialog.Control(frmOptions::cboBlinkKey)), L"Y");
    EXPECT_EQ(SelectedText(dialog.Control(frmOptions::cboPauseKey)), L"A");

    Choose(dialog.Control(frmOptions::cboBlinkKey), 'B');
    ExpectShortcut(HotKeyAction::Blink, 16, 17, 'B');
    Choose(dialog.Control(frmOptions::cboPause1), 18);
    ExpectShortcut(HotKeyAction::Pause, 18, 17, 'A');
    Choose(dialog.Control(frmOptions::cboPause2), 16);
    ExpectShortcut(HotKeyAction::Pause, 18, 16, 'A');
    ExpectShortcut(HotKeyAction::Blink, 16, 17, 'B');  // the blink lists were left alone
    // The poller takes the new chord from the record.
    EXPECT_EQ(KeyPollSettingsFrom(settings()).shortcuts[0].KeyCode, 'B');

    // Keeping the program in the tray is the opposite of "Taskbar".
    const HWND tray = dialog.Control(frmOptions::chkShowInTray);
    EXPECT_EQ(Checked(tray), !settings().IsOn(SettingKey::Taskbar));
    for (int i = 0; i < 2; ++i) {
        Click(tray);
        EXPECT_EQ(settings().IsOn(SettingKey::Taskbar), !Checked(tray));
        EXPECT_EQ(TheProgram().SettingsWindow().TaskbarMode(), !Checked(tray));
    }

    // A key typed into the focused list chooses as a user does.
    const HWND blinkKey = dialog.Control(frmOptions::cboBlinkKey);
    ::SetFocus(blinkKey);
    ::SendMessageW(blinkKey, WM_KEYDOWN, VK_HOME, 0);
    ExpectShortcut(HotKeyAction::Blink, 16, 17, -1);

    Click(dialog.Control(frmOptions::cmdClose));
    EXPECT_FALSE(dialog.IsVisible());
    // A record changed elsewhere (the reset) shows at the next opening.
    SetShortcut(HotKeyAction::Blink, 16, 17, 89);
    ShowOptions(TheProgram(), TheProgram().SettingsWindow().hwnd());
    EXPECT_EQ(SelectedText(dialog.Control(frmOptions::cboBlinkKey)), L"Y");
    HideDialogs();
    EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(KeyDialogsTest, ALanguageChangeWhileOpenRefillsTheListsKeepingTheCodes) {
    SetShortcut(HotKeyAction::Pause, 17, 16, 112);
    SetShortcut(HotKeyAction::CrossHair, 18, 16, 8);
    ShowOptions(TheProgram(), TheProgram().SettingsWindow().hwnd());
    Click(TheProgram().SettingsWindow().Control("cmdHotkeyCrossHair"));
    Click(TheProgram().SettingsWindow().Control("cmdKeyOptions"));

    SharedLanguage().ChangeLanguage(German);
    frmOptions& options = OptionsWindow();
    EXPECT_EQ(WindowText(options.hwnd()), L"Optionen");
    EXPECT_EQ(SelectedText(options.Control(frmOptions::cboPause1)), L"Strg");
    EXPECT_EQ(SelectedText(options.Control(frmOptions::cboPause2)), L"Umsch");
    EXPECT_EQ(SelectedText(options.Control(frmOptions::cboPauseKey)), L"F1");
    EXPECT_EQ(Items(options.Control(frmOptions::cboPause2)).size(), 2u);
    // The lists behind a "+" are read by the row's caption and what they are for.
    const std::wstring pause = WindowText(options.Control(frmOptions::lblPause));
    const AccessibleRead second = ReadAccessible(options.Control(frmOptions::cboPause2));
    EXPECT_EQ(second.name, pause + L", zweite Zusatztaste");
    EXPECT_EQ(second.role, ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(second.value, L"Umsch");
    EXPECT_EQ(ReadAccessible(options.Control(frmOptions::cboPauseKey)).name, pause + L", Taste");
    frmHotKeyOptions& shortcut = HotKeyOptionsWindow();
    EXPECT_EQ(WindowText(shortcut.hwnd()), L"Tastenk\u00fcrzel ausw\u00e4hlen");
    EXPECT_EQ(SelectedCode(shortcut.Control(frmHotKeyOptions::cboSpec1)), 18);
    EXPECT_EQ(SelectedText(shortcut.Control(frmHotKeyOptions::cboSpec2)), L"Umsch");
    EXPECT_EQ(SelectedText(shortcut.Control(frmHotKeyOptions::cboKey)), Widen(KeyName(8)));
    EXPECT_EQ(WindowText(TheProgram().SettingsWindow().Control("lblHotkeyCrossHair")), L"Alt+Umsch+" + Widen(KeyName(8)));
    EXPECT_EQ(WindowText(KeyBoardOptionsWindow().Control(frmKeyBoardOptions::chkCursor)),
              L"Steuerungstasten (Bild hoch, Links, Ende, ...)");
    ExpectShortcut(HotKeyAction::Pause, 17, 16, 112);
    ExpectShortcut(HotKeyAction::CrossHair, 18, 16, 8);
    HideDialogs();
}
