// The keyboard poller, driven by passes of held keys, and the settings window's own keys.
#include <gtest/gtest.h>

#include <ranges>

#include "CoreTestSupport.h"
#include "keyboard/KeyPoller.h"
#include "keyboard/WindowKeys.h"

namespace {

constexpr int32_t S = kShift, C = kCtrl, A = kAlt, kA = 65, kC = 67, kQ = 81, kY = 89, kNumPadEnter = 108;
constexpr int32_t LCtrl = 162, LAlt = kLeftAlt, RAlt = kRightAlt, kOem1 = 186, kOem102 = 226;
using enum SettingKey;
using Changes = std::vector<std::pair<SettingKey, double>>;
using Passes = std::vector<std::set<int32_t>>;  // per pass the codes held; negative: tapped

// What is held is set per pass; a tap is reported once, as the system reports a press made
// and released between two queries.
struct FakeKeySource : KeyStateSource {
    std::set<int32_t> held, tapped;
    bool IsPressed(int32_t code) override {
        EXPECT_TRUE(code >= 1 && code <= 255) << "queried code " << code;
        return held.contains(code) || tapped.erase(code) > 0;
    }
};

const Changes kCharacters = {{ListCharacterKeys, 1}, {ListCharacterSpecialKeys, 0}};
const Changes kAutoHide = {{AutoHideKeyboard, 1}};
const std::set<int32_t> kOneOfEachClass = {112, 33, 9, 27, 4, kA};

Changes Plus(Changes changes, const Changes& more) { return changes.insert(changes.end(), more.begin(), more.end()), changes; }

// The default record with some keys changed. The password and layout-name options start off
// so that every case without them checks the plain behaviour.
KeyPollSettings SettingsWith(const Changes& changes) {
    SettingsRecord record;
    record.Set(HidePasswordKeys, 0);
    record.Set(KeyNamesFromLayout, 0);
    for (const auto& [key, value] : changes) record.Set(key, value);
    return KeyPollSettingsFrom(record);
}

std::set<int32_t> EveryCode() {
    const auto codes = std::views::iota(1, 256);
    return {codes.begin(), codes.end()};
}

struct PollCase {
    const char* name;
    Changes changes;
    Passes passes;
    // Per pass: codes added ("+65"), keys hidden ("#"), AltGr ("^"), shortcuts ("!Blink"), "-"; nullptr: unchecked.
    const char* log;
    int typing = 0;  // passes that count as typing
    TypingPrivacy privacy = TypingPrivacy::None;
};

void Poll(const std::vector<PollCase>& cases) {
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyPollSettings settings = SettingsWith(c.changes);
        KeyPoller poller;
        FakeKeySource source;
        std::string log;
        int typing = 0;
        for (const auto& pass : c.passes) {
            source.held.clear();
            for (int32_t code : pass) (code < 0 ? source.tapped : source.held).insert(std::abs(code));
            const KeyPollResult result = poller.PollKeyboard(source, settings, c.privacy);
            std::string seen;
            if (result.altGr) seen += " ^";
            for (const int32_t code : result.Added()) seen += " +" + std::to_string(code);
            if (result.keysHidden) seen += " #";
            for (int i = 0; i < kHotKeyActionCount; ++i)
                if (result.Triggered(HotKeyAction(i))) seen += std::string(" !") + HotKeyActionName(HotKeyAction(i));
            typing += result.countTyping;
            log += (log.empty() ? "" : " |") + (seen.empty() ? std::string(" -") : seen);
        }
        if (c.log) { EXPECT_EQ(log.substr(1), c.log); }
        EXPECT_EQ(typing, c.typing);
    }
}

}  // namespace

TEST(KeyPoller, ListsNewKeysOfTheSelectedClassesAndFiresShortcutsOncePerPress) {
    Poll({
        {"a held chord fires once; its key is never listed", kCharacters, {{S, C}, {S, C, kY}, {S, C, kY}, {kY}, {}},
         "- | !Blink | - | - | -"},
        {"the key before the modifiers fires nothing", kCharacters, {{kY}, {S, C, kY}, {S, C, kY}}, "+89 | - | -"},
        {"a further modifier does not stop a shortcut", {}, {{S, C, A, kY}, {}, {S, C, kY}}, "!Blink | - | !Blink"},
        {"every record on the chord fires", {{HotKeyPictureKeyCode, kY}}, {{S, C, kY}}, "!Blink !Picture"},
        {"the default pause shortcut", {}, {{S, C, kA}}, "!Pause"},
        {"Alt is not Ctrl", Plus(kCharacters, {{HotKeyBlinkSpec2, A}}), {{S, C, kY}, {}, {S, A, kY}}, "+89 | - | !Blink"},
        {"the same modifier twice needs just that one", {{HotKeyBlinkSpec1, C}, {HotKeyBlinkSpec2, C}, {HotKeyBlinkKeyCode, kC}},
         {{C, kC}, {}, {S, kC}}, "!Blink | - | -"},
        {"key codes of no listed key never fire", {{HotKeyBlinkKeyCode, -1}, {HotKeyPauseKeyCode, 0}, {HotKeyButtonsKeyCode, 256},
          {HotKeyPictureKeyCode, -7}, {HotKeySpotKeyCode, S}}, {EveryCode(), {}, EveryCode()}, "- | - | -"},
        {"modifiers other than 16, 17, 18 are never down", {{HotKeyBlinkSpec1, 0}, {HotKeyPauseSpec2, 99}},
         {EveryCode()}, "-"},
        {"characters only with Ctrl or Alt", {{ListCharacterKeys, 1}}, {{kA}, {}, {C, kC}, {}, {A, kC}, {S, kC}},
         "- | - | +67 | - | +67 | -"},
        {"a held key is listed once per press", kCharacters, {{kA}, {kA}, {}, {kA}}, "+65 | - | - | +65"},
        {"a tap is listed once; NumPad Enter's is seen by its first reading only, a system key's",
         Plus(kCharacters, {{ListSpecialKeys, 1}}), {{-kNumPadEnter, -kA}, {-kNumPadEnter}}, "+108 +65 | +108"},
        {"NumPad Enter, a character key only, is first read as a system key", kCharacters, {{kNumPadEnter}}, "-"},
        {"NumPad Enter in both classes is listed once", Plus(kCharacters, {{ListSpecialKeys, 1}}), {{kNumPadEnter}, {kNumPadEnter}}, "+108 | -"},
        {"classes in scan order, codes in class order", Plus(kCharacters, {{ListFunctionKeys, 1}, {ListCursorKeys, 1},
         {ListInputKeys, 1}, {ListSpecialKeys, 1}, {ListMouseButtons, 1}}), {{kA, 4, 1, 2, 19, 8, 37, 113, 112}},
         "+112 +113 +37 +8 +19 +2 +1 +4 +65"},
        {"function keys alone", {{ListFunctionKeys, 1}}, {kOneOfEachClass}, "+112"},
        {"system keys alone", {{ListSpecialKeys, 1}}, {kOneOfEachClass}, "+27"},
        {"mouse buttons alone", {{ListMouseButtons, 1}}, {kOneOfEachClass}, "+4"},
    });
    SettingsRecord record;  // by default only the restriction to Ctrl or Alt is on: no class
    EXPECT_FALSE(AnyKeyClassSelected(KeyPollSettingsFrom(record)));
    record.Set(ListMouseButtons, 1);
    EXPECT_TRUE(AnyKeyClassSelected(KeyPollSettingsFrom(record)));
}

// Typing counts once per pass without Ctrl or Alt; a password field lists no key and counts no
// typing, but shortcuts still fire; layout names list punctuation and tell AltGr from Ctrl + Alt.
TEST(KeyPoller, TypingPasswordFieldsAndLayoutNames) {
    const Changes hide = Plus(kAutoHide, {{HidePasswordKeys, 1}});
    const Changes all = Plus(Plus(hide, kCharacters), {{ListFunctionKeys, 1}, {ListInputKeys, 1}, {ListMouseButtons, 1}});
    const Changes layout = Plus(kAutoHide, {{KeyNamesFromLayout, 1}}), every = Plus(layout, kCharacters);
    const Changes combined = Plus(layout, {{ListCharacterKeys, 1}});
    Poll({
        {"held text keys count on every pass, several once", kAutoHide, {{kA}, {kA}, {kA, kC, 32}}, nullptr, 3},
        {"Ctrl or Alt stop it, Shift does not", kAutoHide, {{C, kA}, {A, kA}, {S, kA}}, nullptr, 1},
        {"listed or not", Plus(kAutoHide, kCharacters), {{kA}}, "+65", 1},
        {"Back, Return, Delete, NumPad Enter are text", kAutoHide, {{8}, {13}, {46}, {kNumPadEnter}}, nullptr, 4},
        {"a tapped letter is text, NumPad Enter tapped is seen as a system key", kAutoHide, {{-kA}, {-kNumPadEnter}}, nullptr, 1},
        {"Tabulator, function, system keys, buttons are not", kAutoHide, {{9}, {112}, {27}, {1}}, nullptr, 0},
        {"a key that fired a shortcut is no text on that pass", Plus(kAutoHide, {{HotKeyBlinkSpec2, S}}),
         {{S, kY}, {S, kY}}, "!Blink | -", 1},
        {"letters are hidden, once per press", all, {{kA}, {kA}, {kA, kC}, {}}, "# | - | # | -", 0, TypingPrivacy::PasswordField},
        {"every class but the mouse buttons is hidden", all, {{112}, {13}, {1}}, "# | # | +1", 0, TypingPrivacy::PasswordField},
        {"a password still fires the pause shortcut", all, {{S, C, kA}}, "!Pause", 0, TypingPrivacy::PasswordField},
        {"keys no class lists are not reported hidden", Plus(hide, {{ListCharacterKeys, 0}}), {{kA}}, "-", 0, TypingPrivacy::PasswordField},
        {"without the option the field shows everything", Plus(all, {{HidePasswordKeys, 0}}), {{kA}, {13}}, "+65 | +13", 2, TypingPrivacy::PasswordField},
        {"a private program hides without the option", Plus(all, {{HidePasswordKeys, 0}}), {{kA}, {13}, {1}, {S, C, kA}},
         "# | # | +1 | !Pause", 0, TypingPrivacy::PrivateProgram},
        {"another field shows everything", all, {{kA}, {13}}, "+65 | +13", 2, TypingPrivacy::None},
        {"punctuation is listed after the character keys and is text", every, {{kOem102, kOem1, kA}}, "+65 +186 +226", 1},
        {"without layout names punctuation is not read", Plus(kCharacters, kAutoHide), {{kOem1}}, "-", 0},
        {"right Alt with left Ctrl is AltGr: typing, not a combination", combined, {{C, A, LCtrl, RAlt, kQ}}, "^", 1},
        {"left Alt is Ctrl + Alt", combined, {{C, A, LCtrl, LAlt, kQ}}, "+81", 0},
        {"right Ctrl with right Alt is Ctrl + Alt", combined, {{C, A, kRightCtrl, RAlt, kQ}}, "+81", 0},
        {"AltGr listed with every character key", every, {{C, A, LCtrl, RAlt, kQ}, {C, A, LCtrl, RAlt, kOem1}}, "^ +81 | ^ +186", 2},
        {"AltGr still fires a Ctrl + Alt shortcut", Plus(layout, {{HotKeyBlinkSpec1, C}, {HotKeyBlinkSpec2, A}}),
         {{C, A, LCtrl, RAlt, kY}}, "^ !Blink", 0},
        {"without layout names right Alt is Ctrl + Alt", {{ListCharacterKeys, 1}}, {{C, A, LCtrl, RAlt, kQ}}, "+81", 0},
    });
}

// Modifiers for the display (AltGr as itself) and the German caption, off without "ShowKeysClick".
TEST(KeyPoller, ReportsModifiersForTheDisplayAndTheCaption) {
    const Changes layout = {{KeyNamesFromLayout, 1}}, noClick = {{ShowKeysClick, 0}};
    const std::tuple<Changes, std::set<int32_t>, bool, const char*> cases[] = {
        {{}, {S, A, kA}, true, "Umsch\r\nAlt"}, {{{ShowKeysWindow, 0}, {ListAnyKeys, 0}}, {C}, false, "Strg"},
        {noClick, {S, C, A}, true, ""},
        {layout, {S, C, A, LCtrl, RAlt}, true, "Umsch\r\nAltGr"},
        {Plus(layout, noClick), {S, C, A, LCtrl, RAlt}, true, ""},
    };
    for (const auto& [changes, held, setSpecialKeys, caption] : cases) {
        KeyPoller poller;
        FakeKeySource source;
        source.held = held;
        const KeyPollSettings settings = SettingsWith(changes);
        const KeyPollResult result = poller.PollKeyboard(source, settings);
        EXPECT_EQ(result.modifiers, (Modifiers{held.contains(S), held.contains(C), held.contains(A)})) << caption;
        EXPECT_EQ(result.setSpecialKeys, setSpecialKeys) << caption;
        EXPECT_EQ(ModifierCaption(InLanguage(German), result.caption, settings.showKeysClick, result.altGr), caption);
        EXPECT_TRUE(!result.altGr || result.Shown() == (Modifiers{true, false, false}));
    }
    EXPECT_EQ(ModifierCaption(InLanguage(English), {true, true, true}, true), "Shift\r\nCtrl\r\nAlt");
}

// An idle keyboard needs no pass until input comes; held keys and modifiers keep the passes
// going, input or not. Forgetting drops the taps made while the display was off, not the keys
// still held.
TEST(KeyPoller, PassesRunWhileKeysAreHeldAndForgettingDropsOnlyTaps) {
    KeyPoller poller;
    FakeKeySource source;
    const KeyPollSettings settings = SettingsWith(kCharacters);
    EXPECT_TRUE(!poller.PassNeeded(false) && poller.PassNeeded(true));
    for (const int32_t held : {kA, S}) {
        source.held = {held};
        poller.PollKeyboard(source, settings);
        EXPECT_TRUE(poller.PassNeeded(false)) << held;
        source.held = {};
        poller.PollKeyboard(source, settings);
        EXPECT_FALSE(poller.PassNeeded(false)) << held;
    }
    source.held = {kC};
    poller.PollKeyboard(source, settings);
    source.tapped = {kA, 255};
    poller.ForgetPresses(source);
    EXPECT_TRUE(source.tapped.empty());
    source.held = {kC, kY};
    const KeyPollResult result = poller.PollKeyboard(source, settings);
    EXPECT_EQ(std::vector<int32_t>(result.Added().begin(), result.Added().end()), std::vector<int32_t>{kY});
}

TEST(KeyPoller, TheSettingsWindowAnswersItsOwnKeysOnlyWithTheirModifiers) {
    const Modifiers none{}, shift{true, false, false}, ctrl{false, true, false}, alt{false, false, true};
    using W = WindowKeyAction;
    const std::tuple<int32_t, Modifiers, WindowKeyAction> cases[] = {
        {121, none, W::Menu}, {93, none, W::Menu}, {112, none, W::Help}, {114, none, W::LockPicture}, {115, none, W::LockKeyboard},
        {115, shift, W::None}, {112, alt, W::None}, {'Q', ctrl, W::Exit}, {'Q', alt, W::Exit}, {'Q', shift, W::None}};
    for (const auto& [code, held, action] : cases) EXPECT_EQ(SettingsWindowKey(code, held), action) << code;
}
