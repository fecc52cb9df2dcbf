#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FakeKeySource.h"
#include "settings/SettingsRecord.h"
#include "keyboard/KeyPoller.h"
#include "keyboard/WindowKeys.h"
#include "lang/Language.h"

namespace {

constexpr int32_t S = kShift, C = kCtrl, A = kAlt, kA = 65, kC = 67, kY = 89, kNumPadEnter = 108;
using Changes = std::vector<std::pair<SettingKey, double>>;
using Passes = std::vector<std::set<int32_t>>;

const Changes kCharacters = {{SettingKey::ListCharacterKeys, 1}, {SettingKey::ListCharacterSpecialKeys, 0}};
const std::set<int32_t> kOneOfEachClass = {112, 33, 9, 27, 4, kA};

Changes Plus(Changes changes, const Changes& more) {
    changes.insert(changes.end(), more.begin(), more.end());
    return changes;
}

// The default record with some keys changed, as the settings window holds it. The options
// added for password fields and layout names start off, so every case without them checks
// the original behaviour.
KeyPollSettings SettingsWith(const Changes& changes) {
    SettingsRecord record;
    record.Set(SettingKey::HidePasswordKeys, 0);
    record.Set(SettingKey::KeyNamesFromLayout, 0);
    for (const auto& [key, value] : changes) record.Set(key, value);
    return KeyPollSettingsFrom(record);
}

std::set<int32_t> EveryCode() {
    std::set<int32_t> codes;
    for (int32_t code = 1; code <= 255; ++code) codes.insert(code);
    return codes;
}

// One pass per entry with its keys held. Logs per pass the codes added ("+65"), keys hidden
// ("#"), AltGr held ("^"), and the shortcuts fired ("!Blink"), "-" for none; counts the
// passes that count as typing.
std::string Log(const KeyPollSettings& settings, const Passes& passes, int* typingPasses = nullptr,
                bool passwordFocused = false) {
    KeyPoller poller;
    FakeKeySource source;
    std::string log;
    for (const auto& held : passes) {
        source.held = held;
        const KeyPollResult result = poller.PollKeyboard(source, settings, passwordFocused);
        std::string pass;
        if (result.altGr) pass += " ^";
        for (const int32_t code : result.Added()) pass += " +" + std::to_string(code);
        if (result.keysHidden) pass += " #";
        for (int i = 0; i < kHotKeyActionCount; ++i) {
            if (result.triggered[static_cast<size_t>(i)]) pass += std::string(" !") + HotKeyActionName(static_cast<HotKeyAction>(i));
        }
        if (typingPasses && result.countTyping) ++*typingPasses;
        log += (log.empty() ? "" : " |") + (pass.empty() ? std::string(" -") : pass);
    }
    return log.substr(1);
}

}  // namespace

TEST(KeyPoller, ListsNewKeysOfTheSelectedClassesAndFiresShortcutsOncePerPress) {
    struct Case {
        const char* name;
        Changes changes;
        Passes passes;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"a held chord fires once; its key is never listed", kCharacters, {{S, C}, {S, C, kY}, {S, C, kY}, {kY}, {}},
         "- | !Blink | - | - | -"},
        {"the key before the modifiers fires nothing", kCharacters, {{kY}, {S, C, kY}, {S, C, kY}}, "+89 | - | -"},
        {"a further modifier does not stop a shortcut", {}, {{S, C, A, kY}, {}, {S, C, kY}}, "!Blink | - | !Blink"},
        {"every record on the chord fires", {{SettingKey::HotKeyPictureKeyCode, kY}}, {{S, C, kY}}, "!Blink !Picture"},
        {"the default pause shortcut", {}, {{S, C, kA}}, "!Pause"},
        {"the same modifier twice needs just that one",
         {{SettingKey::HotKeyBlinkSpec1, C}, {SettingKey::HotKeyBlinkSpec2, C}, {SettingKey::HotKeyBlinkKeyCode, kC}},
         {{C, kC}, {}, {S, kC}}, "!Blink | - | -"},
        {"key codes of no listed key never fire",
         {{SettingKey::HotKeyBlinkKeyCode, -1}, {SettingKey::HotKeyPauseKeyCode, 0}, {SettingKey::HotKeyButtonsKeyCode, 256},
          {SettingKey::HotKeyPictureKeyCode, -7}, {SettingKey::HotKeySpotKeyCode, S}},
         {EveryCode(), {}, EveryCode()}, "- | - | -"},
        {"modifiers other than 16, 17, 18 are never down",
         {{SettingKey::HotKeyBlinkSpec1, 0}, {SettingKey::HotKeyPauseSpec2, 99}}, {EveryCode()}, "-"},
        {"characters only with Ctrl or Alt", {{SettingKey::ListCharacterKeys, 1}},
         {{kA}, {}, {C, kC}, {}, {A, kC}, {S, kC}}, "- | - | +67 | - | +67 | -"},
        {"a held key is listed once per press", kCharacters, {{kA}, {kA}, {}, {kA}}, "+65 | - | - | +65"},
        {"NumPad Enter, a character key only, is first read as a system key", kCharacters, {{kNumPadEnter}}, "-"},
        {"NumPad Enter in both classes is listed once", Plus(kCharacters, {{SettingKey::ListSpecialKeys, 1}}),
         {{kNumPadEnter}, {kNumPadEnter}}, "+108 | -"},
        {"classes in scan order, codes in class order",
         Plus(kCharacters, {{SettingKey::ListFunctionKeys, 1}, {SettingKey::ListCursorKeys, 1}, {SettingKey::ListInputKeys, 1},
                            {SettingKey::ListSpecialKeys, 1}, {SettingKey::ListMouseButtons, 1}}),
         {{kA, 4, 1, 2, 19, 8, 37, 113, 112}}, "+112 +113 +37 +8 +19 +2 +1 +4 +65"},
        {"function keys alone", {{SettingKey::ListFunctionKeys, 1}}, {kOneOfEachClass}, "+112"},
        {"navigation keys alone", {{SettingKey::ListCursorKeys, 1}}, {kOneOfEachClass}, "+33"},
        {"input keys alone", {{SettingKey::ListInputKeys, 1}}, {kOneOfEachClass}, "+9"},
        {"system keys alone", {{SettingKey::ListSpecialKeys, 1}}, {kOneOfEachClass}, "+27"},
        {"mouse buttons alone", {{SettingKey::ListMouseButtons, 1}}, {kOneOfEachClass}, "+4"},
        {"no class", {}, {kOneOfEachClass}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Log(SettingsWith(c.changes), c.passes), c.expected);
    }
}

TEST(KeyPoller, CountsTypingOncePerPassWithoutCtrlOrAlt) {
    const Changes autoHide = {{SettingKey::AutoHideKeyboard, 1}};
    const std::vector<std::tuple<const char*, Changes, Passes, int>> cases = {
        {"held text keys count on every pass, several once", autoHide, {{kA}, {kA}, {kA, kC, 32}}, 3},
        {"Ctrl or Alt stop it, Shift does not", autoHide, {{C, kA}, {A, kA}, {S, kA}}, 1},
        {"only with auto-hide on", {}, {{kA}}, 0},
        {"listed or not", Plus(autoHide, kCharacters), {{kA}}, 1},
        {"Back, Return, Delete, NumPad Enter are text", autoHide, {{8}, {13}, {46}, {kNumPadEnter}}, 4},
        {"Tabulator, function, system keys, buttons are not", autoHide, {{9}, {112}, {27}, {1}}, 0},
        {"a key that fired a shortcut is no text on that pass", Plus(autoHide, {{SettingKey::HotKeyBlinkSpec2, S}}),
         {{S, kY}, {S, kY}}, 1},
    };
    for (const auto& [name, changes, passes, expected] : cases) {
        int typing = 0;
        Log(SettingsWith(changes), passes, &typing);
        EXPECT_EQ(typing, expected) << name;
    }
}

TEST(KeyPoller, ReportsModifiersForTheDisplayAndTheCaption) {
    // changes, held, modifiers read, setSpecialKeys, caption modifiers
    const std::vector<std::tuple<Changes, std::set<int32_t>, Modifiers, bool, Modifiers>> cases = {
        {{}, {S, A, kA}, {true, false, true}, true, {true, false, true}},
        {{{SettingKey::ShowKeysWindow, 0}, {SettingKey::ListAnyKeys, 0}}, {C}, {false, true, false}, false, {false, true, false}},
        {{{SettingKey::ShowKeysWindow, 0}, {SettingKey::ListAnyKeys, 1}}, {}, {}, true, {}},
        {{{SettingKey::ShowKeysClick, 0}}, {S, C, A}, {true, true, true}, true, {}},
    };
    for (const auto& [changes, held, modifiers, setSpecialKeys, caption] : cases) {
        KeyPoller poller;
        FakeKeySource source;
        source.held = held;
        const KeyPollResult result = poller.PollKeyboard(source, SettingsWith(changes));
        EXPECT_EQ(result.modifiers, modifiers);
        EXPECT_EQ(result.setSpecialKeys, setSpecialKeys);
        EXPECT_EQ(result.caption, caption);
        EXPECT_EQ(source.queries.size(), 110u) << "3 modifiers and 107 codes, NumPad Enter twice";
    }
}

TEST(KeyPoller, ATapIsListedOnceAndForgettingDropsItButNotHeldKeys) {
    const KeyPollSettings settings =
        SettingsWith(Plus(kCharacters, {{SettingKey::ListSpecialKeys, 1}, {SettingKey::AutoHideKeyboard, 1}}));
    KeyPoller poller;
    FakeKeySource source;
    bool typing = false;
    const auto added = [&] {
        const KeyPollResult result = poller.PollKeyboard(source, settings);
        typing = result.countTyping;
        return std::vector<int32_t>(result.Added().begin(), result.Added().end());
    };
    // NumPad Enter's tap is seen by its first reading only, a system key's: listed, no typing.
    source.tapped = {kNumPadEnter, kA};
    EXPECT_EQ(added(), (std::vector<int32_t>{kNumPadEnter, kA}));
    EXPECT_TRUE(typing);
    source.tapped = {kNumPadEnter};
    EXPECT_EQ(added(), std::vector<int32_t>{kNumPadEnter});
    EXPECT_FALSE(typing);

    source.held = {kC};
    EXPECT_EQ(added(), std::vector<int32_t>{kC});
    source.tapped = {kA};
    source.queries.clear();
    poller.ForgetPresses(source);
    ASSERT_EQ(source.queries.size(), 255u);
    for (int32_t code = 1; code <= 255; ++code) EXPECT_EQ(source.queries[static_cast<size_t>(code - 1)], code);
    source.held = {kC, kY};
    EXPECT_EQ(added(), std::vector<int32_t>{kY});
}

TEST(KeyPoller, CaptionNamesHeldModifiersInTheCurrentLanguage) {
    clsLanguage language("", {});
    const std::vector<std::tuple<int32_t, Modifiers, bool, const char*>> cases = {
        {English, {true, true, true}, true, "Shift\r\nCtrl\r\nAlt"}, {English, {false, true, true}, true, "Ctrl\r\nAlt"},
        {German, {true, true, false}, true, "Umsch\r\nStrg"},         {German, {false, false, true}, true, "Alt"},
        {English, {}, true, ""},                                       {German, {true, true, true}, false, ""},
    };
    for (const auto& [number, held, showKeysClick, expected] : cases) {
        language.ChangeLanguage(number);
        EXPECT_EQ(ModifierCaption(language, held, showKeysClick), expected);
    }
}

TEST(KeyPoller, TheRestrictionToCtrlOrAltAloneSelectsNoKeyClass) {
    SettingsRecord record;  // by default only "ListCharacterSpecialKeys" is on
    EXPECT_FALSE(AnyKeyClassSelected(KeyPollSettingsFrom(record)));
    record.Set(SettingKey::ListMouseButtons, 1);
    EXPECT_TRUE(AnyKeyClassSelected(KeyPollSettingsFrom(record)));
}

TEST(KeyPoller, TheSettingsWindowAnswersItsOwnKeysOnlyWithTheirModifiers) {
    const Modifiers none{}, shift{true, false, false}, ctrl{false, true, false}, alt{false, false, true};
    const struct {
        int32_t code;
        Modifiers held;
        WindowKeyAction action;
    } cases[] = {
        {121, none, WindowKeyAction::Menu},        {93, none, WindowKeyAction::Menu},
        {112, none, WindowKeyAction::Help},        {114, none, WindowKeyAction::LockPicture},
        {115, none, WindowKeyAction::LockKeyboard}, {115, shift, WindowKeyAction::None},
        {112, alt, WindowKeyAction::None},          {'Q', ctrl, WindowKeyAction::Exit},
        {'Q', alt, WindowKeyAction::Exit},          {'Q', {true, true, true}, WindowKeyAction::Exit},
        {'Q', none, WindowKeyAction::None},         {'Q', shift, WindowKeyAction::None},
        {113, none, WindowKeyAction::None},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsWindowKey(c.code, c.held), c.action) << c.code;
}

TEST(KeyPoller, AnIdleKeyboardNeedsNoPassUntilInputComes) {
    KeyPoller poller;
    FakeKeySource source;
    const KeyPollSettings settings = SettingsWith({{SettingKey::ListCharacterKeys, 1}});
    EXPECT_FALSE(poller.PassNeeded(false));
    EXPECT_TRUE(poller.PassNeeded(true));
    // Held keys and modifiers keep the passes going, input or not: typing counts per pass.
    for (const std::set<int32_t>& held : {std::set<int32_t>{'A'}, std::set<int32_t>{kShift}}) {
        source.held = held;
        poller.PollKeyboard(source, settings);
        EXPECT_TRUE(poller.PassNeeded(false));
        source.held = {};
        poller.PollKeyboard(source, settings);
        EXPECT_FALSE(poller.PassNeeded(false));
    }
}

TEST(KeyPoller, APasswordFieldListsNoKeyAndCountsNoTypingButShortcutsStillFire) {
    const Changes hide = {{SettingKey::HidePasswordKeys, 1}, {SettingKey::AutoHideKeyboard, 1}};
    const Changes everything = Plus(Plus(hide, kCharacters), {{SettingKey::ListFunctionKeys, 1}, {SettingKey::ListInputKeys, 1},
                                                              {SettingKey::ListMouseButtons, 1}});
    // name, changes, password focused, passes, log, passes counted as typing
    const std::vector<std::tuple<const char*, Changes, bool, Passes, const char*, int>> cases = {
        {"letters are hidden, once per press", everything, true, {{kA}, {kA}, {kA, kC}, {}}, "# | - | # | -", 0},
        {"every class but the mouse buttons is hidden", everything, true, {{112}, {13}, {1}}, "# | # | +1", 0},
        {"a password still fires the pause shortcut", everything, true, {{S, C, kA}}, "!Pause", 0},
        {"keys no class lists are not reported hidden", Plus(hide, {{SettingKey::ListCharacterKeys, 0}}), true, {{kA}},
         "-", 0},
        {"without the option the field shows everything", Plus(everything, {{SettingKey::HidePasswordKeys, 0}}), true,
         {{kA}, {13}}, "+65 | +13", 2},
        {"another field shows everything", everything, false, {{kA}, {13}}, "+65 | +13", 2},
    };
    for (const auto& [name, changes, password, passes, expected, typingExpected] : cases) {
        SCOPED_TRACE(name);
        int typing = 0;
        EXPECT_EQ(Log(SettingsWith(changes), passes, &typing, password), expected);
        EXPECT_EQ(typing, typingExpected);
    }
}

TEST(KeyPoller, LayoutNamesListPunctuationAndTellAltGrFromCtrlAlt) {
    constexpr int32_t LCtrl = 162, RCtrl = kRightCtrl, LAlt = kLeftAlt, RAlt = kRightAlt, kQ = 81;
    constexpr int32_t kOem1 = 186, kOem102 = 226;
    const Changes layout = {{SettingKey::KeyNamesFromLayout, 1}, {SettingKey::AutoHideKeyboard, 1}};
    const Changes onlyCombined = Plus(layout, {{SettingKey::ListCharacterKeys, 1}});
    const Changes everyCharacter = Plus(layout, kCharacters);
    // name, changes, passes, log, passes counted as typing
    const std::vector<std::tuple<const char*, Changes, Passes, const char*, int>> cases = {
        {"punctuation is listed after the character keys and is text", everyCharacter, {{kOem102, kOem1, kA}},
         "+65 +186 +226", 1},
        {"without layout names punctuation is not read", Plus(kCharacters, {{SettingKey::AutoHideKeyboard, 1}}),
         {{kOem1}}, "-", 0},
        {"right Alt with left Ctrl is AltGr: typing, not a combination", onlyCombined, {{C, A, LCtrl, RAlt, kQ}}, "^", 1},
        {"left Alt is Ctrl + Alt", onlyCombined, {{C, A, LCtrl, LAlt, kQ}}, "+81", 0},
        {"right Ctrl with right Alt is Ctrl + Alt", onlyCombined, {{C, A, RCtrl, RAlt, kQ}}, "+81", 0},
        {"AltGr listed with every character key", everyCharacter, {{C, A, LCtrl, RAlt, kQ}, {C, A, LCtrl, RAlt, kOem1}},
         "^ +81 | ^ +186", 2},
        {"AltGr still fires a Ctrl + Alt shortcut",
         Plus(layout, {{SettingKey::HotKeyBlinkSpec1, C}, {SettingKey::HotKeyBlinkSpec2, A}}), {{C, A, LCtrl, RAlt, kY}},
         "^ !Blink", 0},
        {"without layout names right Alt is Ctrl + Alt", {{SettingKey::ListCharacterKeys, 1}}, {{C, A, LCtrl, RAlt, kQ}},
         "+81", 0},
    };
    for (const auto& [name, changes, passes, expected, typingExpected] : cases) {
        SCOPED_TRACE(name);
        int typing = 0;
        EXPECT_EQ(Log(SettingsWith(changes), passes, &typing), expected);
        EXPECT_EQ(typing, typingExpected);
    }
}

TEST(KeyPoller, AltGrShowsAsItselfInTheModifiersAndTheCaption) {
    KeyPoller poller;
    FakeKeySource source;
    source.held = {kShift, kCtrl, kAlt, 162, kRightAlt};
    const KeyPollResult result = poller.PollKeyboard(source, SettingsWith({{SettingKey::KeyNamesFromLayout, 1}}));
    EXPECT_TRUE(result.altGr);
    EXPECT_EQ(result.modifiers, (Modifiers{true, true, true})) << "shortcuts see what the system reports";
    EXPECT_EQ(result.Shown(), (Modifiers{true, false, false}));
    EXPECT_EQ(result.caption, result.Shown());
    clsLanguage language("", {});
    language.ChangeLanguage(German);
    EXPECT_EQ(ModifierCaption(language, result.caption, true, result.altGr), "Umsch\r\nAltGr");
    EXPECT_EQ(ModifierCaption(language, result.caption, false, result.altGr), "");
}
