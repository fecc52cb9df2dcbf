#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "settings/SettingsRecord.h"
#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyCatalogue.h"
#include "keyboard/KeyLists.h"
#include "lang/Language.h"

namespace {

std::vector<int32_t> Codes(KeyClass keyClass) {
    const auto codes = KeyClassCodes(keyClass);
    return {codes.begin(), codes.end()};
}

std::vector<int32_t> Range(int32_t first, int32_t last) {
    std::vector<int32_t> codes;
    for (int32_t code = first; code <= last; ++code) codes.push_back(code);
    return codes;
}

std::vector<std::pair<std::string, int32_t>> Items(const KeyList& list) {
    std::vector<std::pair<std::string, int32_t>> items;
    for (const auto& item : list.items) items.emplace_back(item.text, item.data);
    return items;
}

}  // namespace

TEST(KeyName, NamesKeysInTheCurrentLanguage) {
    const KeyNameLocale point;
    const std::map<int32_t, std::pair<std::string, std::string>> expected = {
        {112, {"F1", "F1"}}, {135, {"F24", "F24"}}, {16, {"Shift", "Umsch"}}, {17, {"Ctrl", "Strg"}},
        {18, {"Alt", "Alt"}}, {8, {"Back", "R\xC3\xBC" "cktaste"}}, {32, {"Space", "Leertaste"}},
        {33, {"Page up", "Bild hoch"}}, {47, {"Help", "Hilfe"}}, {65, {"A", "A"}}, {48, {"0", "0"}},
        {96, {"NumPad 0", "Ziffernblock 0"}}, {106, {"NumPad *", "Ziffernblock *"}},
        {107, {"NumPad +", "Ziffernblock +"}}, {108, {"NumPad Enter", "Ziffernblock Enter"}},
        {109, {"NumPad -", "Ziffernblock -"}}, {110, {"NumPad .", "Ziffernblock ."}},
        {111, {"NumPad /", "Ziffernblock /"}}, {144, {"Num lock", "Num"}}, {145, {"Scroll lock", "Rollen"}},
        {91, {"Left Windows", "Windows links"}}, {93, {"Context menu", "Kontextmen\xC3\xBC"}},
        {1, {"Mouse left", "Maus links"}}, {4, {"Mouse middle", "Maus Mitte"}}, {-1, {"(none)", "(keine)"}},
        {136, {"\xC2\x88", "\xC2\x88"}}, {0, {"", ""}}, {256, {"", ""}},
    };
    // One object switched between the languages: a cached name would show up here.
    clsLanguage lang("", {});
    for (const auto& [code, names] : expected) {
        lang.ChangeLanguage(English);
        EXPECT_EQ(KeyName(lang, code, point), names.first) << code;
        lang.ChangeLanguage(German);
        EXPECT_EQ(KeyName(lang, code, point), names.second) << code;
    }
}

TEST(KeyName, UsesTheLocaleAndReplacementTextsPieceByPiece) {
    KeyNameLocale comma{",", [](unsigned char byte) { return byte == 136 ? std::string("\xCB\x86") : std::string("?"); }};
    EXPECT_EQ(KeyName(InLanguage(German), 110, comma), "Ziffernblock ,");
    EXPECT_EQ(KeyName(InLanguage(English), 110, comma), "NumPad ,");
    EXPECT_EQ(KeyName(InLanguage(English), 136, comma), "\xCB\x86");
    EXPECT_EQ(KeyName(InLanguage(English), 112, comma), "F1");

    const auto replaced = InLanguage(English, {{"NumPad", "Keypad"}, {"NumPad Enter", "never"}, {"(none)", "off"}});
    EXPECT_EQ(KeyName(replaced, 108, {}), "Keypad Enter");
    EXPECT_EQ(KeyName(replaced, -1, {}), "off");
}

TEST(KeyCatalogue, ClassesHoldTheirCodesInScanOrder) {
    const std::vector<KeyClass> order(kKeyClassScanOrder.begin(), kKeyClassScanOrder.end());
    EXPECT_EQ(order, (std::vector<KeyClass>{KeyClass::Function, KeyClass::Navigation, KeyClass::Input,
                                            KeyClass::System, KeyClass::Mouse, KeyClass::Character}));
    EXPECT_EQ(Codes(KeyClass::Function), Range(112, 135));
    EXPECT_EQ(Codes(KeyClass::Navigation), Range(33, 40));
    EXPECT_EQ(Codes(KeyClass::Input), (std::vector<int32_t>{8, 9, 12, 13, 46}));
    EXPECT_EQ(Codes(KeyClass::System),
              (std::vector<int32_t>{19, 20, 27, 144, 145, 108, 41, 43, 44, 45, 47, 91, 92, 93}));
    EXPECT_EQ(Codes(KeyClass::Mouse), (std::vector<int32_t>{2, 1, 4}));
    std::vector<int32_t> characters = Range(65, 90);
    for (const auto& part : {Range(48, 57), Range(32, 32), Range(96, 111)}) characters.insert(characters.end(), part.begin(), part.end());
    EXPECT_EQ(Codes(KeyClass::Character), characters);

    // 107 listed codes; only NumPad Enter is in two classes.
    std::map<int32_t, int> memberships;
    size_t listed = 0;
    for (const KeyClass keyClass : kKeyClassScanOrder) {
        for (const int32_t code : KeyClassCodes(keyClass)) ++memberships[code];
        listed += KeyClassCodes(keyClass).size();
    }
    EXPECT_EQ(listed, 107u);
    for (const auto& [code, count] : memberships) EXPECT_EQ(count, code == 108 ? 2 : 1) << code;

    const std::vector<int32_t> modifiers(ModifierCodes().begin(), ModifierCodes().end());
    EXPECT_EQ(modifiers, (std::vector<int32_t>{16, 17, 18}));
    for (const int32_t code : {8, 13, 46, 65, 48, 32, 96, 108, 110, 111}) EXPECT_TRUE(IsTextEntryKey(code)) << code;
    for (const int32_t code : {9, 12, 16, 1, 112, 33, 27, 144, -1, 0}) EXPECT_FALSE(IsTextEntryKey(code)) << code;
}

TEST(HotKeyInfo, DisplayTextAndTheSevenRecords) {
    HotKeyInfo shortcut;
    shortcut.Spec1 = 16;
    shortcut.Spec2 = 17;
    shortcut.KeyCode = 89;
    EXPECT_EQ(shortcut.GetDisplayText(InLanguage(English), {}), "Shift+Ctrl+Y");
    EXPECT_EQ(shortcut.GetDisplayText(InLanguage(German), {}), "Umsch+Strg+Y");
    shortcut.KeyCode = 108;
    EXPECT_EQ(shortcut.GetDisplayText(InLanguage(English), {}), "Shift+Ctrl+NumPad Enter");
    shortcut.KeyCode = -1;
    EXPECT_EQ(shortcut.GetDisplayText(InLanguage(English), {}), "(none)");
    EXPECT_EQ(shortcut.GetDisplayText(InLanguage(German), {}), "(keine)");

    // The shortcuts come from their settings keys: the defaults, then edited values.
    SettingsRecord settings;
    EXPECT_EQ(HotKey(settings, HotKeyAction::Blink).GetDisplayText(InLanguage(English), {}), "Shift+Ctrl+Y");
    EXPECT_EQ(HotKey(settings, HotKeyAction::Pause).GetDisplayText(InLanguage(English), {}), "Shift+Ctrl+A");
    for (int i = 2; i < kHotKeyActionCount; ++i)
        EXPECT_EQ(HotKey(settings, static_cast<HotKeyAction>(i)).KeyCode, -1) << HotKeyActionName(HotKeyAction(i));
    settings.Set(SettingKey::HotKeyKeyBoardSpec1, 18);
    settings.Set(SettingKey::HotKeyKeyBoardSpec2, 16);
    settings.Set(SettingKey::HotKeyKeyBoardKeyCode, 75);
    const HotKeyInfo keyBoard = HotKey(settings, HotKeyAction::KeyBoard);
    EXPECT_EQ((std::array{keyBoard.Spec1, keyBoard.Spec2, keyBoard.KeyCode}), (std::array{18, 16, 75}));
    EXPECT_EQ(HotKey(settings, HotKeyAction::CrossHair).KeyCode, -1);
}

TEST(KeyLists, ModifierListLeavesOutTheOtherListsSelection) {
    const auto english = InLanguage(English), german = InLanguage(German);
    KeyList first, second;
    FillModifierList(first, nullptr, english, {});
    EXPECT_EQ(Items(first), (std::vector<std::pair<std::string, int32_t>>{{"Shift", 16}, {"Ctrl", 17}, {"Alt", 18}}));
    EXPECT_FALSE(first.selected);

    FillModifierList(second, &first, english, {});  // no selection excludes nothing
    EXPECT_EQ(second.items.size(), 3u);
    SelectListItem(first, 17);
    second.selected = 2;
    FillModifierList(second, &first, english, {});
    EXPECT_EQ(Items(second), (std::vector<std::pair<std::string, int32_t>>{{"Shift", 16}, {"Alt", 18}}));
    EXPECT_FALSE(second.selected);

    FillModifierList(first, nullptr, german, {});
    SelectListItem(first, 16);
    FillModifierList(second, &first, german, {});
    EXPECT_EQ(Items(second), (std::vector<std::pair<std::string, int32_t>>{{"Strg", 17}, {"Alt", 18}}));
    FillModifierList(first, &first, german, {});  // its own selection, read before clearing
    EXPECT_EQ(Items(first), (std::vector<std::pair<std::string, int32_t>>{{"Strg", 17}, {"Alt", 18}}));
}

TEST(KeyLists, ShortcutKeyListAndSelection) {
    KeyList keys;
    keys.selected = 5;
    FillShortcutKeyList(keys, InLanguage(English), {});
    std::vector<std::pair<std::string, int32_t>> expected = {{"(none)", -1}};
    for (char c = 'A'; c <= 'Z'; ++c) expected.emplace_back(std::string(1, c), c);
    for (char c = '0'; c <= '9'; ++c) expected.emplace_back(std::string(1, c), c);
    for (int32_t code = 112; code <= 135; ++code) expected.emplace_back("F" + std::to_string(code - 111), code);
    expected.insert(expected.end(), {{"Back", 8}, {"Tabulator", 9}, {"Scroll lock", 145}, {"NumPad /", 111},
                                     {"NumPad *", 106}, {"NumPad -", 109}, {"NumPad +", 107}});
    EXPECT_EQ(Items(keys), expected);
    EXPECT_FALSE(keys.selected);

    SelectListItem(keys, 999);  // fresh list: first item
    EXPECT_EQ(keys.selected, 0u);
    SelectListItem(keys, 107);
    EXPECT_EQ(keys.selected, expected.size() - 1);
    SelectListItem(keys, 999);  // existing selection stays
    EXPECT_EQ(keys.selected, expected.size() - 1);
    SelectListItem(keys, 65);
    EXPECT_EQ(keys.SelectedItem()->text, "A");

    KeyList duplicates;
    AddListItem(duplicates, "x", 7, "");
    AddListItem(duplicates, "y", 7, "");
    AddListItem(duplicates, "Ctrl", 17, "Ctrl");
    AddListItem(duplicates, "ctrl", 17, "Ctrl");
    AddListItem(duplicates, "", 0, "");
    SelectListItem(duplicates, 7);
    EXPECT_EQ(duplicates.selected, 0u);
    EXPECT_EQ(duplicates.items.size(), 4u);

    KeyList empty;
    SelectListItem(empty, -1);
    EXPECT_FALSE(empty.selected);
}
