#include <gtest/gtest.h>

#include <vector>

#include "hook/ButtonMessages.h"
#include "hook/MouseMessage.h"
#include "hook/RingDispatch.h"

namespace {

std::optional<int32_t> Code(MouseMessageTranslator& translator, uint32_t message) {
    const auto event = translator.Translate(message, 0);
    if (!event) return std::nullopt;
    EXPECT_EQ(event->data, 0);
    return event->code;
}

ButtonStates Down(bool left, bool middle, bool right) { return {{left, middle, right}}; }
const ButtonStates kNoneDown = Down(false, false, false);

// Two ticks that see the same system state, the wait for a late hook release apart; the
// clock starts near its wrap.
std::vector<MouseEvent> Lost(MouseMessageTranslator& translator, const ButtonStates& now) {
    static uint32_t clock = 0xFFFFFF00u;
    clock += 1000;
    EXPECT_TRUE(translator.ReleaseLost(now, clock).empty()) << "released before the wait";
    return translator.ReleaseLost(now, clock + MouseMessageTranslator::kLostReleaseAfterMs);
}

TEST(MouseMessageTranslator, MapsEveryButtonMessageAndCountsAHeldPressOnce) {
    struct Case {
        uint32_t press, doubleClick, release;
        int32_t down, twice, up;
        int button;
    } cases[] = {
        {wm::LButtonDown, wm::LButtonDblClk, wm::LButtonUp, LeftDown, LeftDouble, LeftUp, 0},
        {wm::MButtonDown, wm::MButtonDblClk, wm::MButtonUp, MiddleDown, MiddleDouble, MiddleUp, 1},
        {wm::RButtonDown, wm::RButtonDblClk, wm::RButtonUp, RightDown, RightDouble, RightUp, 2},
    };
    // One translator throughout: each button's messages must leave the others held.
    MouseMessageTranslator translator;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        EXPECT_EQ(Code(translator, c.press), c.down);
        EXPECT_TRUE(translator.ButtonIsDown(c.button));
        EXPECT_EQ(Code(translator, c.press), std::nullopt);  // reported twice
        EXPECT_EQ(Code(translator, c.doubleClick), std::nullopt);
        EXPECT_EQ(Code(translator, c.release), c.up);
        EXPECT_FALSE(translator.ButtonIsDown(c.button));
        EXPECT_EQ(Code(translator, c.release), c.up);  // without a press before it
        EXPECT_EQ(Code(translator, c.doubleClick), c.twice);
        EXPECT_EQ(Code(translator, c.press), std::nullopt);
        for (int other = 0; other < 3; ++other) EXPECT_EQ(translator.ButtonIsDown(other), other <= c.button) << other;
    }
}

TEST(MouseMessageTranslator, TreatsNonClientMessagesAsClientOnesAndIgnoresClientXButtons) {
    const std::pair<uint32_t, int32_t> nonClient[] = {
        {wm::NcLButtonDown, LeftDown},   {wm::NcLButtonUp, LeftUp},   {wm::NcLButtonDblClk, LeftDouble},
        {wm::NcRButtonDown, RightDown},  {wm::NcRButtonUp, RightUp},  {wm::NcRButtonDblClk, RightDouble},
        {wm::NcMButtonDown, MiddleDown}, {wm::NcMButtonUp, MiddleUp}, {wm::NcMButtonDblClk, MiddleDouble},
        {wm::NcXButtonDown, MiddleDown}, {wm::NcXButtonUp, MiddleUp}, {wm::NcXButtonDblClk, MiddleDouble},
    };
    for (const auto& [message, code] : nonClient) {
        MouseMessageTranslator translator;
        EXPECT_EQ(Code(translator, message), code) << std::hex << message;
    }
    MouseMessageTranslator translator;
    for (uint32_t message : {wm::XButtonDown, wm::XButtonUp, wm::XButtonDblClk, 0x200u, 0x20Eu, 0u})
        EXPECT_EQ(Code(translator, message), std::nullopt) << std::hex << message;
    // The wheel's sign is passed on; the mouse-hook library reports no direction (0).
    for (auto [wheelData, sign] : {std::pair{0x00780000u, 1}, {0xFF100000u, -1}, {0u, 0}})
        EXPECT_EQ(translator.Translate(wm::MouseWheel, WheelSign(wheelData)), (MouseEvent{WheelTurned, sign}));
}

TEST(RingDispatch, PressesTakeTheWindowsInTurnAndReleasesFindTheirPress) {
    RingDispatch rings;
    std::vector<int32_t> taken;
    for (int i = 0; i < 18; ++i) taken.push_back(*rings.ClickIndicatorFor(i % 3 == 0 ? LeftDown : MiddleDown));
    EXPECT_EQ(taken, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1}));
    // A release reported twice finds its press again; a double-click press shows in the
    // latest window and does not advance; wheel and unknown codes take none.
    const std::pair<int32_t, std::optional<int32_t>> steps[] = {
        {RightDown, 2},   {LeftDown, 3},   {MiddleDown, 4}, {RightUp, 2},        {LeftUp, 3},   {LeftUp, 3},
        {RightDouble, 4}, {LeftDouble, 4}, {RightUp, 2},    {WheelTurned, std::nullopt}, {10, std::nullopt}};
    for (auto [code, ring] : steps) EXPECT_EQ(rings.ClickIndicatorFor(code), ring) << code;
    EXPECT_EQ(rings.CurrentRing(1), 4);
    EXPECT_EQ(rings.RingCounter(), 4);
    for (auto [sign, arrow] : {std::pair{1, 0}, {-1, 1}, {0, 1}}) EXPECT_EQ(WheelArrowFor(sign), arrow) << sign;
}

TEST(ButtonMessages, DropWhatIsNoButtonAndTellFrameFromClient) {
    EXPECT_EQ(ButtonFromLowLevel(wm::XButtonDown, 2), (ButtonInput{MouseButton::X2, true}));
    EXPECT_EQ(ButtonFromLowLevel(wm::XButtonDown, 0), std::nullopt);
    EXPECT_EQ(ButtonFromLowLevel(wm::MouseWheel, 0), std::nullopt);
    EXPECT_EQ(ButtonFromLowLevel(0x200, 0), std::nullopt);  // a move
    EXPECT_EQ(ButtonMessage(MouseButton::X1, ButtonAction::Double, true), wm::NcXButtonDblClk);
    // HTTRANSPARENT and HTCLIENT are no frame; HTCAPTION is.
    EXPECT_FALSE(IsNonClientHit(-1) || IsNonClientHit(1));
    EXPECT_TRUE(IsNonClientHit(2));
}

TEST(DoubleClickDetector, NeedsTheSameButtonWithinTimeAndRectangle) {
    using enum MouseButton;
    const struct {
        MouseButton button;
        uint32_t time;
        int32_t x, y;
        bool pairs;
    } presses[] = {
        {Left, 1000, 100, 100, false},  {Left, 1500, 102, 97, true},    // on the limits
        {Left, 1600, 100, 100, false},  {Left, 1700, 100, 100, true},   // the fourth pairs again
        {Left, 3000, 100, 100, false},  {Left, 3501, 100, 100, false},  // too late
        {Left, 3600, 103, 100, false},  {Left, 3700, 103, 104, false},  // too far sideways, down
        {Right, 3800, 103, 104, false}, {Left, 3900, 103, 104, false},  // another button
        {X1, 4000, 103, 104, false},    {X2, 4100, 103, 104, false},    // the other X button
        {Middle, 0xFFFFFF00u, 0, 0, false}, {Middle, 0x00000010u, 0, 0, true},  // the tick count wraps
    };
    DoubleClickDetector clicks;
    for (const auto& p : presses)
        EXPECT_EQ(clicks.Press(p.button, p.time, p.x, p.y, {500, 4, 6}), p.pairs) << p.time;
}

TEST(MouseMessageTranslator, ReleasesWhatTheSystemHasUpOnceAndNothingWhenBothAgree) {
    struct Case {
        const char* name;
        std::vector<uint32_t> pressed;     // what the hooks reported
        ButtonStates system;               // what the system has down now
        std::vector<MouseEvent> releases;  // made, left to right
    };
    const Case cases[] = {
        {"nothing held", {}, kNoneDown, {}},
        {"held and still down", {wm::LButtonDown, wm::RButtonDown}, Down(true, false, true), {}},
        {"left lost", {wm::LButtonDown}, kNoneDown, {{LeftUp, 0}}},
        {"middle lost", {wm::MButtonDown}, kNoneDown, {{MiddleUp, 0}}},
        {"right lost", {wm::NcRButtonDown}, kNoneDown, {{RightUp, 0}}},
        {"double-click press lost", {wm::LButtonDblClk}, kNoneDown, {{LeftUp, 0}}},
        {"only the one that is up", {wm::LButtonDown, wm::MButtonDown, wm::RButtonDown}, Down(true, false, true),
         {{MiddleUp, 0}}},
        {"all three", {wm::RButtonDown, wm::LButtonDown, wm::MButtonDown}, kNoneDown,
         {{LeftUp, 0}, {MiddleUp, 0}, {RightUp, 0}}},
        // A button the hooks never saw go down is none of the translator's business.
        {"down but never reported", {}, Down(true, true, true), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseMessageTranslator translator;
        for (uint32_t message : c.pressed) translator.Translate(message, 0);
        bool wasHeld[3];
        for (int button = 0; button < 3; ++button) wasHeld[button] = translator.ButtonIsDown(button);
        EXPECT_EQ(Lost(translator, c.system), c.releases);
        for (int button = 0; button < 3; ++button)
            EXPECT_EQ(translator.ButtonIsDown(button), wasHeld[button] && c.system.down[button]) << button;
        EXPECT_EQ(translator.AnyButtonDown(), c.pressed.size() > c.releases.size());
        // The next tick sees the same system state: nothing is released twice.
        EXPECT_TRUE(Lost(translator, c.system).empty());
    }
}

TEST(MouseMessageTranslator, AReleaseMadeForALostOneLeavesTheNextClickIntact) {
    MouseMessageTranslator translator;
    translator.Translate(wm::LButtonDown, 0);
    ASSERT_EQ(Lost(translator, kNoneDown), (std::vector<MouseEvent>{{LeftUp, 0}}));
    // The hook's own release turns up late: it passes as any unpaired release does.
    EXPECT_EQ(Code(translator, wm::LButtonUp), LeftUp);
    // A new press is a press again, not one already held.
    EXPECT_EQ(Code(translator, wm::LButtonDown), LeftDown);
    EXPECT_TRUE(Lost(translator, Down(true, false, false)).empty());
    translator.ForgetHeld();
    EXPECT_FALSE(translator.AnyButtonDown());
    EXPECT_TRUE(Lost(translator, kNoneDown).empty()) << "forgotten buttons make no release";
}

TEST(MouseMessageTranslator, AReleaseTheHookDeliversWithinTheWaitIsTheOnlyOne) {
    MouseMessageTranslator translator;
    translator.Translate(wm::LButtonDown, 0);
    const uint32_t start = 0xFFFFFFF0u;  // across the clock's wrap
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start).empty());
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start + 100).empty());
    EXPECT_EQ(Code(translator, wm::LButtonUp), LeftUp);
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start + 1000).empty());
    // Down again in between starts the wait afresh.
    translator.Translate(wm::LButtonDown, 0);
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start + 2000).empty());
    EXPECT_TRUE(translator.ReleaseLost(Down(true, false, false), start + 2200).empty());
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start + 2300).empty());
    EXPECT_EQ(translator.ReleaseLost(kNoneDown, start + 2550), (std::vector<MouseEvent>{{LeftUp, 0}}));
}

TEST(LogicalButtons, SwappedButtonsExchangeLeftAndRightOnly) {
    const struct {
        bool left, middle, right, swapped;
        bool logical[3];
    } cases[] = {
        {true, false, false, false, {true, false, false}}, {true, false, false, true, {false, false, true}},
        {false, false, true, true, {true, false, false}},  {false, true, false, true, {false, true, false}},
        {true, true, false, true, {false, true, true}},
    };
    for (const auto& c : cases) {
        const ButtonStates got = LogicalButtons(c.left, c.middle, c.right, c.swapped);
        for (int button = 0; button < 3; ++button)
            EXPECT_EQ(got.down[button], c.logical[button]) << c.left << c.middle << c.right << c.swapped << button;
    }
    // A held logical left whose physical button (the right, swapped) is still down stays held.
    MouseMessageTranslator translator;
    translator.Translate(wm::LButtonDown, 0);
    EXPECT_TRUE(Lost(translator, LogicalButtons(false, false, true, true)).empty());
    EXPECT_EQ(Lost(translator, LogicalButtons(true, false, false, true)), (std::vector<MouseEvent>{{LeftUp, 0}}));
}

}  // namespace
