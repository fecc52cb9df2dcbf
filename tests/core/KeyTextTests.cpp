// Key names, shortcut texts, the shortcut dialogs' lists and the keyboard display.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyCatalogue.h"
#include "keyboard/KeyDisplay.h"
#include "keyboard/KeyLists.h"
#include "keyboard/LayoutKeyNames.h"
#include "keyboard/ShortcutChoice.h"

namespace {

constexpr int32_t kOem1 = 186, kOemPlus = 187, kOemMinus = 189, kOem2 = 191, kOem3 = 192, kOem4 = 219, kOem5 = 220,
                  kOem6 = 221, kOem7 = 222, kOem102 = 226;

struct Key {
    std::u16string alone, shifted;
    bool dead = false;
};

// A layout given key by key, as ToUnicodeEx answers: nothing for keys not given.
class FakeLayout : public KeyboardLayoutSource {
public:  explicit FakeLayout(std::map<int32_t, Key> keys) : keys_(std::move(keys)) {}
    std::optional<LayoutCharacter> CharacterOf(int32_t code, bool shift) const override {
        const auto key = keys_.find(code);
        if (key == keys_.end()) return std::nullopt;
        const std::u16string& text = shift ? key->second.shifted : key->second.alone;
        if (text.empty()) return std::nullopt;
        return LayoutCharacter{text, key->second.dead && !shift};
    }

private:
    std::map<int32_t, Key> keys_;
};

const FakeLayout kGerman({{kOem1, {u"ü", u"Ü"}}, {kOem4, {u"ß", u"?"}}, {kOemPlus, {u"+", u"*"}}, {kOem102, {u"<", u">"}},
                          {kOem5, {u"^", u"°", true}}, {kOem6, {u"\u0301", u"\u0300", true}},  // acute, combining
                          {'Z', {u"z", u"Z"}}, {'1', {u"1", u"!"}}});
const FakeLayout kForeign({{kOem3, {u"ù", u"%"}}, {'2', {u"é", u"2"}}, {'Q', {u"й", u"Й"}}, {kOem1, {u"ж", u"Ж"}}});
// Broken or odd answers a real layout can give.
const FakeLayout kOdd({{'Q', {u";", u":"}}, {'W', {u"w", u"2"}}, {kOem1, {u"\x1b", u"\x1b"}}, {kOem2, {u"\U0001F600", u""}},
                       {kOem4, {u"\xD800", u""}}, {kOem5, {u"\u0308", u"", true}}, {kOem7, {u" ", u" "}},
                       {kOemMinus, {u"-", u""}}});

// "Shift [Ctrl] Alt": the items, the selected one in brackets.
std::string Render(const KeyList& list) {
    std::string text;
    for (size_t i = 0; i < list.items.size(); ++i) {
        const bool selected = list.selected == i;
        text += (text.empty() ? "" : " ") + std::string(selected ? "[" : "") + list.items[i].text + (selected ? "]" : "");
    }
    return text;
}

HotKeyInfo Shortcut(int32_t spec1, int32_t spec2, int32_t key) { return HotKeyInfo{spec1, spec2, key, false}; }
std::array<int32_t, 3> Fields(const HotKeyInfo& s) { return {s.Spec1, s.Spec2, s.KeyCode}; }

std::vector<std::string> Lines(const KeyDisplay& display) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < display.LineCount(); ++i) lines.push_back(display.Line(i).text);
    return lines;
}

const clsLanguage kEnglish = InLanguage(English);

}  // namespace

TEST(KeyName, NamesKeysInTheCurrentLanguage) {
    const std::tuple<int32_t, const char*, const char*> cases[] = {
        {135, "F24", "F24"}, {8, "Back", "R\xC3\xBC" "cktaste"}, {108, "NumPad Enter", "Ziffernblock Enter"},
        {4, "Mouse middle", "Maus Mitte"}, {-1, "(none)", "(keine)"}, {136, "\xC2\x88", "\xC2\x88"}, {0, "", ""}, {256, "", ""},
    };
    // One object switched between the languages: a cached name would show up here.
    clsLanguage lang("", {});
    for (const auto& [code, english, german] : cases) {
        lang.ChangeLanguage(English);
        EXPECT_EQ(KeyName(lang, code, {}), english) << code;
        lang.ChangeLanguage(German);
        EXPECT_EQ(KeyName(lang, code, {}), german) << code;
    }
    // The locale's decimal point and code page, and replacement texts piece by piece.
    KeyNameLocale comma{",", [](unsigned char byte) { return byte == 136 ? std::string("\xCB\x86") : std::string("?"); }};
    EXPECT_EQ(KeyName(InLanguage(German), 110, comma), "Ziffernblock ,");
    EXPECT_EQ(KeyName(InLanguage(English), 136, comma), "\xCB\x86");
    const auto replaced = InLanguage(English, {{"NumPad", "Keypad"}, {"NumPad Enter", "never"}, {"(none)", "off"}});
    EXPECT_TRUE(KeyName(replaced, 108, {}) == "Keypad Enter" && KeyName(replaced, -1, {}) == "off");
}

TEST(LayoutKeyNames, NamesPunctuationAndForeignLettersAsTheKeyCapShowsThem) {
    const std::tuple<const char*, const FakeLayout*, int32_t, std::optional<std::string>> cases[] = {
        {"a letter key: its capital", &kGerman, kOem1, "Ü"}, {"ß has no capital on its key", &kGerman, kOem4, "ß"},
        {"the 102nd key", &kGerman, kOem102, "<"}, {"a dead key is its accent", &kGerman, kOem5, "^"},
        {"a dead key given combining is its spacing accent", &kGerman, kOem6, "´"},
        {"digits are left to the table", &kGerman, '1', std::nullopt}, {"ù shifts to %: stays small", &kForeign, kOem3, "ù"},
        {"the é on the 2 is a digit key", &kForeign, '2', std::nullopt},
        {"Cyrillic in capitals, on a punctuation key too", &kForeign, kOem1, "Ж"},
        {"a letter key typing a symbol is left to the table", &kOdd, 'Q', std::nullopt},
        {"a letter whose Shift gives no letter stays small", &kOdd, 'W', "w"},
        {"control characters are no name", &kOdd, kOem1, std::nullopt},
        {"a character beyond 16 bits", &kOdd, kOem2, "\xF0\x9F\x98\x80"}, {"a lone surrogate", &kOdd, kOem4, std::nullopt},
        {"a blank is no name", &kOdd, kOem7, std::nullopt}, {"function keys are never asked", &kGerman, 112, std::nullopt},
    };
    for (const auto& [name, layout, code, expected] : cases) EXPECT_EQ(LayoutKeyName(*layout, code), expected) << name;

    // Key names take the layout first and the table otherwise.
    const clsLanguage german = InLanguage(German);
    KeyNameLocale fromLayout;
    fromLayout.layout = &kGerman;
    const std::tuple<int32_t, const KeyNameLocale*, std::string> names[] = {
        {kOem4, &fromLayout, "ß"}, {kOem4, nullptr, "\xC3\x9B"},  // the ANSI character of 219
        {'1', &fromLayout, "1"},   {16, &fromLayout, "Umsch"}, {kOem7, &fromLayout, "\xC3\x9E"},  // nothing from the layout
    };
    for (const auto& [code, locale, expected] : names)
        EXPECT_EQ(KeyName(german, code, locale ? *locale : KeyNameLocale{}), expected) << code;
    // Shortcut texts, and each action's record.
    EXPECT_EQ(Shortcut(18, 16, 108).GetDisplayText(InLanguage(German), {}), "Alt+Umsch+Ziffernblock Enter");
    EXPECT_EQ(Shortcut(16, 17, -1).GetDisplayText(InLanguage(German), {}), "(keine)");
    SettingsRecord settings;
    settings.Set(SettingKey::HotKeyKeyBoardKeyCode, 75);
    EXPECT_TRUE(Fields(HotKey(settings, HotKeyAction::KeyBoard)) == (std::array{16, 17, 75}) &&
                HotKey(settings, HotKeyAction::CrossHair).KeyCode == -1);
}

// When the dialog opens, a value no list offers becomes its first item, in the lists and the record.
// A choice changes its field; a new first modifier refills the second list, which falls back
// when it held it; a bad index changes nothing.
TEST(ShortcutChoice, ListsShowTheShortcutAndAChoiceChangesItsField) {
    const std::tuple<int32_t, HotKeyInfo, const char*, HotKeyInfo> cases[] = {
        {English, Shortcut(16, 17, 89), "[Shift] Ctrl Alt | [Ctrl] Alt | Y", Shortcut(16, 17, 89)},
        {English, Shortcut(17, 17, 65), "Shift [Ctrl] Alt | [Shift] Alt | A", Shortcut(17, 16, 65)},
        {English, Shortcut(0, 17, 89), "[Shift] Ctrl Alt | [Ctrl] Alt | Y", Shortcut(16, 17, 89)},
        {English, Shortcut(17, 99, 200), "Shift [Ctrl] Alt | [Shift] Alt | (none)", Shortcut(17, 16, -1)},
        {German, Shortcut(-5, 300, 7), "[Umsch] Strg Alt | [Strg] Alt | (keine)", Shortcut(16, 17, -1)},
    };
    for (const auto& [language, shortcut, shown, record] : cases) {
        const ShortcutLists lists = ShowShortcut(shortcut, InLanguage(language), {});
        EXPECT_EQ(Render(lists.spec1) + " | " + Render(lists.spec2) + " | " + lists.key.SelectedItem()->text, shown);
        EXPECT_EQ(Fields(ShortcutShown(lists, shortcut)), Fields(record)) << shown;
    }
    const clsLanguage english = InLanguage(English);
    const std::tuple<HotKeyInfo, ShortcutList, size_t, const char*, HotKeyInfo> choices[] = {
        {Shortcut(16, 17, 89), ShortcutList::Spec1, 1, "[Shift] Alt", Shortcut(17, 16, 89)},
        {Shortcut(16, 17, 89), ShortcutList::Key, 0, "[Ctrl] Alt", Shortcut(16, 17, -1)},
        {Shortcut(16, 17, 89), ShortcutList::Spec2, 2, "[Ctrl] Alt", Shortcut(16, 17, 89)},
        {Shortcut(16, 17, 200), ShortcutList::Spec1, 2, "Shift [Ctrl]", Shortcut(18, 17, -1)},
        {Shortcut(0, 18, 89), ShortcutList::Spec1, 2, "[Shift] Ctrl", Shortcut(18, 16, 89)},
    };
    for (const auto& [shortcut, list, index, spec2, expected] : choices) {
        ShortcutLists lists = ShowShortcut(shortcut, english, {});
        const HotKeyInfo result = ChooseShortcutItem(lists, list, index, shortcut, english, {});
        EXPECT_EQ(Render(lists.spec2), spec2);
        EXPECT_EQ(Fields(result), Fields(expected)) << spec2;
        EXPECT_EQ(Fields(ShortcutShown(lists, result)), Fields(expected)) << "the lists show what the choice made";
    }
}

// A line stays its fading time less a tick, at least one (0.35 s is 3.5 tenths in single precision).
TEST(KeyDisplay, ALineStaysItsFadingTimeLessOneTickAtLeastOne) {
    for (auto [seconds, ticks] : {std::pair{2.0f, 19}, {0.3f, 2}, {0.35f, 3}, {0.25f, 1}, {0.0f, 1}, {-5.0f, 1}}) {
        KeyDisplay display(kEnglish);
        display.SetFadingTime(seconds);
        ASSERT_TRUE(display.AddKey("A"));
        int shown = 0;
        for (; display.LineCount() > 0 && shown < 1000; ++shown) {
            const bool changed = display.ClearTick();
            EXPECT_EQ(changed, display.LineCount() == 0);
        }
        EXPECT_EQ(shown, ticks) << seconds << " s";
    }
}

// Newest on top, ten at most; same caps repaint nothing; caps off hide, list off ignores keys.
TEST(KeyDisplay, ListAndViewModes) {
    KeyDisplay display(kEnglish);
    display.SetFadingTime(1.0f);
    EXPECT_FALSE(display.ClearTimerEnabled()) << "nothing listed, nothing to age";
    EXPECT_TRUE(display.SetSpecialKeys(false, true, false) && !display.SetSpecialKeys(false, true, false));
    EXPECT_EQ(display.Layout().capVisible, (std::array<bool, 3>{false, true, false}));
    display.AddKey("A");
    display.SetSpecialKeys(false, false, false);
    for (int i = 0; i < 3; ++i) display.ClearTick();
    display.AddKey("B");
    for (int i = 0; i < 5; ++i) display.ClearTick();
    EXPECT_TRUE(display.ClearTick() && display.ClearTimerEnabled());  // A's ninth
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"B"}));
    for (int i = 0; i < 11; ++i) display.AddKey("K" + std::to_string(i));
    ASSERT_EQ(display.LineCount(), kMaxKeyLines);
    EXPECT_TRUE(display.Line(0).text == "K10" && display.Line(9).text == "K1");
    EXPECT_TRUE(display.SetViewMode(true, false) && display.LineCount() == 0);
    EXPECT_FALSE(display.SetSpecialKeys(true, true, true) || display.SetViewMode(true, false));
    EXPECT_EQ(display.Layout().capVisible, (std::array<bool, 3>{}));
    EXPECT_TRUE(display.AddKey("B") && display.SetViewMode(false, true));
    EXPECT_FALSE(display.ClearTimerEnabled() || display.AddKey("A") || display.LineCount());
}

// Prefix and caps in the current language; Alt to AltGr changes only the caption, which repaints.
TEST(KeyDisplay, PrefixesTheHeldModifiersInTheCurrentLanguage) {
    const clsLanguage german = InLanguage(German);
    KeyDisplay display(german);
    display.SetSpecialKeys(true, true, false);
    display.AddKey(KeyName(german, 46, {}));
    EXPECT_EQ(display.Line(0).text, "Umsch + Strg + Entf");
    EXPECT_EQ(display.CapCaption(KeyCap::Ctrl), "Strg");
    EXPECT_TRUE(display.SetSpecialKeys(true, false, false, true));
    EXPECT_EQ(display.Layout().capVisible, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(display.CapCaption(KeyCap::Alt), "AltGr");
    display.AddKey("Q");
    EXPECT_TRUE(display.SetSpecialKeys(true, false, true, false));
    EXPECT_EQ(display.CapCaption(KeyCap::Alt), "Alt");
    display.AddKey("Q");
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"Umsch + Alt + Q", "Umsch + AltGr + Q", "Umsch + Strg + Entf"}));
}

// The hidden-keys notice is one line, renewed while typing goes on, and none with list off.
TEST(KeyDisplay, TheHiddenKeysNoticeIsOneLineRenewedWhileTypingGoesOn) {
    KeyDisplay display(kEnglish);
    display.SetFadingTime(1.0f);
    display.SetSpecialKeys(true, false, false);
    display.AddKey("A");
    EXPECT_TRUE(display.AddNotice("Keys hidden"));
    for (int i = 0; i < 5; ++i) display.ClearTick();
    EXPECT_FALSE(display.AddNotice("Keys hidden")) << "a renewed line changes nothing visible";
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"Keys hidden", "Shift + A"}));
    EXPECT_EQ(display.Line(0).remaining, 10);
    display.AddKey("B");
    EXPECT_TRUE(display.AddNotice("Keys hidden") && display.LineCount() == 4);
    display.SetViewMode(false, true);
    EXPECT_FALSE(display.AddNotice("Keys hidden"));
}

// With repeat counts the same key again while its line is the newest counts up on it and
// renews its time; another key, a modifier more, a notice between or counts off add lines.
TEST(KeyDisplay, RepeatCountsCountTheSameKeyOnTheNewestLine) {
    // "^" types the key with Ctrl held, "!" is the hidden-keys notice.
    const std::tuple<bool, std::vector<std::string>, std::vector<std::string>> cases[] = {
        {true, {"A", "A", "A"}, {"A \xC3\x97" "3"}},
        {true, {"A", "B", "A"}, {"A", "B", "A"}},
        {true, {"C", "^C", "^C"}, {"Ctrl + C \xC3\x97" "2", "C"}},
        {true, {"A", "!", "A"}, {"A", "Keys hidden", "A"}},
        {false, {"A", "A"}, {"A", "A"}},
    };
    for (const auto& [on, typed, shown] : cases) {
        KeyDisplay display(kEnglish);
        display.SetFadingTime(1.0f);
        display.SetRepeatCount(on);
        for (const std::string& key : typed) {
            display.ClearTick();
            display.SetSpecialKeys(false, key[0] == '^', false);
            if (key == "!") EXPECT_TRUE(display.AddNotice("Keys hidden"));
            else EXPECT_TRUE(display.AddKey(key.substr(key[0] == '^' ? 1 : 0))) << "a count is a visible change";
        }
        std::vector<std::string> lines;
        for (size_t i = 0; i < display.LineCount(); ++i) lines.push_back(display.Line(i).Shown());
        EXPECT_EQ(lines, shown) << typed.size() << " keys, counts " << on;
        EXPECT_EQ(display.Line(0).remaining, 10) << "the newest line's time starts again";
    }
}
