#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "keyboard/KeyCatalogue.h"
#include "keyboard/KeyDisplay.h"
#include "lang/Language.h"

namespace {

clsLanguage InLanguage(int32_t number) {
    clsLanguage language("", {});
    language.ChangeLanguage(number);
    return language;
}

std::vector<std::string> Lines(const KeyDisplay& display) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < display.LineCount(); ++i) lines.push_back(display.Line(i).text);
    return lines;
}

const clsLanguage kEnglish = InLanguage(English);

}  // namespace

TEST(KeyDisplay, ALineStaysItsFadingTimeLessOneTickAtLeastOne) {
    // 0.35 s is 3.5 tenths in single precision, to even 4; 0.25 s gives 2.
    for (const auto& [seconds, ticks] : std::vector<std::pair<float, int>>{
             {2.0f, 19}, {4.0f, 39}, {0.3f, 2}, {0.35f, 3}, {0.25f, 1}, {0.1f, 1}, {0.0f, 1}, {-5.0f, 1}}) {
        KeyDisplay display(kEnglish);
        display.SetFadingTime(seconds);
        ASSERT_TRUE(display.AddKey("A"));
        int shown = 0;
        while (display.LineCount() > 0 && shown < 1000) {
            const bool changed = display.ClearTick();
            ++shown;
            EXPECT_EQ(changed, display.LineCount() == 0) << "only the removing tick repaints";
        }
        EXPECT_EQ(shown, ticks) << seconds << " s";
    }
}

TEST(KeyDisplay, NewestOnTopOldestOutFirstTenAtMost) {
    KeyDisplay display(kEnglish);
    display.SetFadingTime(1.0f);
    display.AddKey("A");
    for (int i = 0; i < 3; ++i) display.ClearTick();
    display.AddKey("B");
    display.AddKey("C");
    for (int i = 0; i < 5; ++i) display.ClearTick();
    EXPECT_TRUE(display.ClearTick());  // A's ninth
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(display.Line(1).remaining, 4);

    for (int i = 0; i < 11; ++i) display.AddKey("K" + std::to_string(i));
    ASSERT_EQ(display.LineCount(), kMaxKeyLines);
    EXPECT_EQ(display.Line(0).text, "K10");
    EXPECT_EQ(display.Line(9).text, "K1");
}

TEST(KeyDisplay, PrefixesTheHeldModifiersInTheCurrentLanguage) {
    const std::vector<std::tuple<int32_t, std::array<bool, 3>, const char*>> cases = {
        {German, {true, true, false}, "Umsch + Strg + Entf"},
        {English, {true, true, true}, "Shift + Ctrl + Alt + Delete"},
        {German, {false, false, false}, "Entf"},
    };
    for (const auto& [number, held, line] : cases) {
        const clsLanguage language = InLanguage(number);
        KeyDisplay display(language);
        display.SetSpecialKeys(held[0], held[1], held[2]);
        display.AddKey(KeyName(language, 46, {}));
        EXPECT_EQ(display.Line(0).text, line);
        EXPECT_EQ(display.CapCaption(KeyCap::Ctrl), KeyName(language, kCtrl, {}));
    }
}

TEST(KeyDisplay, ViewModesDecideListingCapsAndRepaints) {
    KeyDisplay display(kEnglish);
    EXPECT_TRUE(display.ListMode() && display.CapsMode());
    EXPECT_FALSE(display.ClearTimerEnabled()) << "nothing listed, nothing to age";
    // A cap shows while its key is held; the same state again repaints nothing.
    EXPECT_TRUE(display.SetSpecialKeys(false, true, false));
    EXPECT_EQ(display.Layout().capVisible, (std::array<bool, 3>{false, true, false}));
    EXPECT_FALSE(display.SetSpecialKeys(false, true, false));
    EXPECT_TRUE(display.AddKey("C"));
    EXPECT_EQ(Lines(display), std::vector<std::string>{"Ctrl + C"});
    EXPECT_TRUE(display.ClearTimerEnabled());

    // Caps off hides them and keeps them hidden; list on starts it empty.
    EXPECT_TRUE(display.SetViewMode(true, false));
    EXPECT_EQ(display.LineCount(), 0u);
    EXPECT_FALSE(display.SetSpecialKeys(true, true, true));
    EXPECT_EQ(display.Layout().capVisible, (std::array<bool, 3>{}));
    EXPECT_FALSE(display.SetViewMode(true, false));

    // List off: keys are ignored and the clear timer stops.
    EXPECT_TRUE(display.AddKey("B"));
    EXPECT_TRUE(display.SetViewMode(false, true));
    EXPECT_FALSE(display.ClearTimerEnabled());
    EXPECT_FALSE(display.AddKey("A"));
    EXPECT_EQ(display.LineCount(), 0u);
}

TEST(KeyDisplay, LaysOutCapsAndListAtTheDisplayScale) {
    struct Case {
        bool listKeys, showCaps;
        double scale;
        int lines;
        Size window;
        Rect ctrl, alt, list, line1;
    };
    const std::vector<Case> cases = {
        {true, true, 1.0, 0, {214, 25}, {72, 0, 142, 25}, {144, 0, 214, 25}, {}, {}},
        {false, true, 1.0, 0, {70, 79}, {0, 27, 70, 52}, {0, 54, 70, 79}, {}, {}},
        {true, true, 1.0, 3, {214, 102}, {72, 0, 142, 25}, {144, 0, 214, 25}, {0, 25, 214, 102}, {0, 52, 214, 75}},
        {true, false, 1.0, 2, {214, 54}, {72, 0, 142, 25}, {144, 0, 214, 25}, {0, 0, 214, 54}, {0, 27, 214, 50}},
        {true, true, 1.5, 0, {321, 38}, {108, 0, 213, 38}, {216, 0, 321, 38}, {}, {}},
        {false, true, 1.5, 0, {105, 120}, {0, 41, 105, 79}, {0, 82, 105, 120}, {}, {}},
        {true, true, 1.5, 2, {321, 120}, {108, 0, 213, 38}, {216, 0, 321, 38}, {0, 38, 321, 120}, {0, 79, 321, 114}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.listKeys << c.showCaps << " x" << c.scale << ", " << c.lines << " lines");
        KeyDisplay display(kEnglish, c.scale);
        display.SetFadingTime(1.0f);
        display.SetViewMode(c.listKeys, c.showCaps);
        for (int i = 0; i < c.lines; ++i) display.AddKey("A");
        const KeyDisplayLayout layout = display.Layout();
        EXPECT_EQ(layout.window, c.window);
        EXPECT_EQ(layout.caps, (std::array<Rect, 3>{Rect{0, 0, c.ctrl.Width(), c.ctrl.Height()}, c.ctrl, c.alt}));
        EXPECT_EQ(layout.listVisible, c.lines > 0);
        if (c.lines > 0) {
            EXPECT_EQ(layout.list, c.list);
            EXPECT_EQ(layout.LineRect(1), c.line1);
        }
    }
    KeyDisplay display(kEnglish);
    EXPECT_FALSE(display.SetScale(1.0));
    EXPECT_TRUE(display.SetScale(1.5));
}

TEST(KeyDisplay, AltGrTakesTheAltCapAndThePrefix) {
    const clsLanguage german = InLanguage(German);
    KeyDisplay display(german);
    display.SetViewMode(true, true);
    EXPECT_TRUE(display.SetSpecialKeys(true, false, false, true));
    const KeyDisplayLayout layout = display.Layout();
    EXPECT_EQ(layout.capVisible, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(display.CapCaption(KeyCap::Alt), "AltGr");
    display.AddKey("Q");
    // Alt held again with the same caps: only the caption changes, and that must repaint.
    EXPECT_TRUE(display.SetSpecialKeys(true, false, true, false));
    EXPECT_EQ(display.CapCaption(KeyCap::Alt), "Alt");
    display.AddKey("Q");
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"Umsch + Alt + Q", "Umsch + AltGr + Q"}));
}

TEST(KeyDisplay, TheHiddenKeysNoticeIsOneLineRenewedWhileTypingGoesOn) {
    KeyDisplay display(kEnglish);
    display.SetViewMode(true, true);
    display.SetFadingTime(1.0f);
    display.SetSpecialKeys(true, false, false);
    display.AddKey("A");
    EXPECT_TRUE(display.AddNotice("Keys hidden"));
    for (int i = 0; i < 5; ++i) display.ClearTick();
    EXPECT_FALSE(display.AddNotice("Keys hidden")) << "a renewed line changes nothing visible";
    EXPECT_EQ(Lines(display), (std::vector<std::string>{"Keys hidden", "Shift + A"}));
    EXPECT_EQ(display.Line(0).remaining, 10);
    display.AddKey("B");
    EXPECT_TRUE(display.AddNotice("Keys hidden"));
    EXPECT_EQ(display.LineCount(), 4u);
    display.SetViewMode(false, true);
    EXPECT_FALSE(display.AddNotice("Keys hidden"));
}
