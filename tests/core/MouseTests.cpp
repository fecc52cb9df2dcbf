// Hook messages made into events, lost releases, double-clicks, ring windows, hook health.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "hook/ButtonMessages.h"
#include "hook/HookHealth.h"
#include "hook/MouseMessage.h"
#include "hook/RingDispatch.h"

namespace {

std::optional<int32_t> Code(MouseMessageTranslator& translator, uint32_t message) {
    const auto event = translator.Translate(message, 0);
    EXPECT_TRUE(!event || event->data == 0);
    return event ? std::optional(event->code) : std::nullopt;
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

}  // namespace

// Each button's messages leave the others held; frame messages count as client ones, X buttons not.
TEST(MouseMessageTranslator, MapsEveryButtonMessageAndCountsAHeldPressOnce) {
    const std::array<uint32_t, 3> messages[] = {{wm::LButtonDown, wm::LButtonDblClk, wm::LButtonUp},
                                                {wm::MButtonDown, wm::MButtonDblClk, wm::MButtonUp},
                                                {wm::RButtonDown, wm::RButtonDblClk, wm::RButtonUp}};
    const std::array<int32_t, 3> codes[] = {{LeftDown, LeftDouble, LeftUp}, {MiddleDown, MiddleDouble, MiddleUp},
                                            {RightDown, RightDouble, RightUp}};
    MouseMessageTranslator translator;
    for (int b = 0; b < 3; ++b) {
        const auto [press, twice, release] = messages[b];
        EXPECT_EQ(Code(translator, press), codes[b][0]) << b;
        EXPECT_TRUE(!Code(translator, press) && !Code(translator, twice)) << "reported twice " << b;
        EXPECT_EQ(Code(translator, release), codes[b][2]) << b;
        EXPECT_EQ(Code(translator, release), codes[b][2]) << "without a press before it " << b;
        EXPECT_EQ(Code(translator, twice), codes[b][1]) << b;
        EXPECT_EQ(Code(translator, press), std::nullopt) << b;
        for (int other = 0; other < 3; ++other) EXPECT_EQ(translator.ButtonIsDown(other), other <= b) << other;
    }
    const std::pair<uint32_t, std::optional<int32_t>> single[] = {
        {wm::NcRButtonUp, RightUp}, {wm::NcMButtonDblClk, MiddleDouble}, {wm::NcXButtonDown, MiddleDown},
        {wm::NcXButtonDblClk, MiddleDouble}, {wm::XButtonDown, std::nullopt}, {0x200, std::nullopt}};
    for (const auto& [message, code] : single) {
        MouseMessageTranslator fresh;
        EXPECT_EQ(Code(fresh, message), code) << std::hex << message;
    }
    for (auto [wheelData, sign] : {std::pair{0x00780000u, 1}, {0xFF100000u, -1}, {0u, 0}})
        EXPECT_EQ(translator.Translate(wm::MouseWheel, WheelSign(wheelData)), (MouseEvent{WheelTurned, sign}));
}

// A release the hooks lost is made once the system has the button up for the wait, and only once.
TEST(MouseMessageTranslator, ReleasesWhatTheSystemHasUpOnceAndNothingWhenBothAgree) {
    const std::tuple<const char*, std::vector<uint32_t>, ButtonStates, std::vector<MouseEvent>> cases[] = {
        {"held and still down", {wm::LButtonDown, wm::RButtonDown}, Down(true, false, true), {}},
        {"right lost", {wm::NcRButtonDown}, kNoneDown, {{RightUp, 0}}},
        {"double-click press lost", {wm::LButtonDblClk}, kNoneDown, {{LeftUp, 0}}},
        {"only the one that is up", {wm::LButtonDown, wm::MButtonDown, wm::RButtonDown}, Down(true, false, true), {{MiddleUp, 0}}},
        {"all three", {wm::RButtonDown, wm::LButtonDown, wm::MButtonDown}, kNoneDown, {{LeftUp, 0}, {MiddleUp, 0}, {RightUp, 0}}},
        {"down but never reported", {}, Down(true, true, true), {}},
    };
    for (const auto& [name, pressed, system, releases] : cases) {
        MouseMessageTranslator translator;
        for (uint32_t message : pressed) translator.Translate(message, 0);
        EXPECT_EQ(Lost(translator, system), releases) << name;
        EXPECT_EQ(translator.AnyButtonDown(), pressed.size() > releases.size()) << name;
        EXPECT_TRUE(Lost(translator, system).empty()) << "nothing is released twice: " << name;
    }
    // The hook's own release turning up late passes as any unpaired release; a new press is a
    // press again; forgotten buttons make no release.
    MouseMessageTranslator translator;
    translator.Translate(wm::LButtonDown, 0);
    ASSERT_EQ(Lost(translator, kNoneDown), (std::vector<MouseEvent>{{LeftUp, 0}}));
    EXPECT_EQ(Code(translator, wm::LButtonUp), LeftUp);
    EXPECT_EQ(Code(translator, wm::LButtonDown), LeftDown);
    translator.ForgetHeld();
    EXPECT_TRUE(Lost(translator, kNoneDown).empty());
    // A release the hook delivers within the wait is the only one; down again restarts the wait.
    const uint32_t start = 0xFFFFFFF0u;
    translator.Translate(wm::LButtonDown, 0);
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start).empty());
    EXPECT_EQ(Code(translator, wm::LButtonUp), LeftUp);
    EXPECT_TRUE(translator.ReleaseLost(kNoneDown, start + 1000).empty());
    translator.Translate(wm::LButtonDown, 0);
    for (auto [down, at] : {std::pair{false, 2000u}, {true, 2200u}, {false, 2300u}})
        EXPECT_TRUE(translator.ReleaseLost(Down(down, false, false), start + at).empty()) << at;
    EXPECT_EQ(translator.ReleaseLost(kNoneDown, start + 2550), (std::vector<MouseEvent>{{LeftUp, 0}}));
    // Swapped buttons: the physical right is the logical left, and keeps it held.
    EXPECT_TRUE(LogicalButtons(true, true, false, true).down[2] && LogicalButtons(true, false, false, false).down[0]);
    translator.Translate(wm::LButtonDown, 0);
    EXPECT_TRUE(Lost(translator, LogicalButtons(false, false, true, true)).empty());
    EXPECT_EQ(Lost(translator, LogicalButtons(true, false, false, true)), (std::vector<MouseEvent>{{LeftUp, 0}}));
}

// Presses take the windows in turn, a release finds its press, a double-click does not advance.
TEST(RingDispatch, PressesTakeTheWindowsInTurnAndReleasesFindTheirPress) {
    RingDispatch rings;
    std::vector<int32_t> taken;
    for (int i = 0; i < 18; ++i) taken.push_back(*rings.ClickIndicatorFor(i % 3 == 0 ? LeftDown : MiddleDown));
    EXPECT_EQ(taken, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1}));
    const std::pair<int32_t, std::optional<int32_t>> steps[] = {
        {RightDown, 2},   {LeftDown, 3},   {MiddleDown, 4}, {RightUp, 2},        {LeftUp, 3},   {LeftUp, 3},
        {RightDouble, 4}, {LeftDouble, 4}, {RightUp, 2},    {WheelTurned, std::nullopt}, {10, std::nullopt}};
    for (auto [code, ring] : steps) EXPECT_EQ(rings.ClickIndicatorFor(code), ring) << code;
    for (auto [sign, arrow] : {std::pair{1, 0}, {-1, 1}, {0, 1}}) EXPECT_EQ(WheelArrowFor(sign), arrow) << sign;
}

// The same button within the time and half the rectangle each side pairs, across the tick wrap.
TEST(DoubleClickDetector, NeedsTheSameButtonWithinTimeAndRectangle) {
    using enum MouseButton;
    const std::tuple<MouseButton, uint32_t, int32_t, int32_t, bool> presses[] = {
        {Left, 1000, 100, 100, false},  {Left, 1500, 102, 97, true},    // on the limits
        {Left, 1600, 100, 100, false},  {Left, 1700, 100, 100, true},   // the fourth pairs again
        {Left, 3000, 100, 100, false},  {Left, 3501, 100, 100, false},  // too late
        {Left, 3600, 103, 100, false},  {Left, 3700, 103, 104, false},  // too far sideways, down
        {Right, 3800, 103, 104, false}, {X1, 4000, 103, 104, false},    {X2, 4100, 103, 104, false},
        {Middle, 0xFFFFFF00u, 0, 0, false}, {Middle, 0x00000010u, 0, 0, true},
    };
    DoubleClickDetector clicks;
    for (const auto& [button, time, x, y, pairs] : presses) EXPECT_EQ(clicks.Press(button, time, x, y, {500, 4, 6}), pairs) << time;
    EXPECT_EQ(ButtonFromLowLevel(wm::XButtonDown, 2), (ButtonInput{MouseButton::X2, true}));
    EXPECT_TRUE(!ButtonFromLowLevel(wm::XButtonDown, 0) && !ButtonFromLowLevel(0x200, 0));
    EXPECT_TRUE(!IsNonClientHit(-1) && !IsNonClientHit(1) && IsNonClientHit(2));
}

// Reinstalled only for mouse input missed over a second, at most once a second, not once healed.
TEST(HookHealth, ReinstallsOnlyForMouseInputTheHookMissedForOverASecond) {
    constexpr uint32_t kWrap = 0xFFFFFFFFu;
    const std::pair<HookHealthSample, bool> cases[] = {
        {{5000, 6000, false, 6100}, false}, {{5000, 6001, false, 6100}, true}, {{5000, 60000, true, 60100}, false},
        {{9000, 5000, false, 9100}, false}, {{kWrap - 500, 600, false, 700}, true}, {{kWrap - 500, 400, false, 700}, false},
        {{100, kWrap - 5000, false, 200}, false}};
    for (const auto& [sample, reinstall] : cases) EXPECT_EQ(HookHealth().ReinstallNeeded(sample), reinstall) << sample.lastInput;
    for (const uint32_t start : {100000u, kWrap - 1500}) {
        HookHealth health;
        std::string reinstalled;
        for (uint32_t step : {0, 15, 999, 1000, 1999, 2600, 3599, 3600})
            reinstalled += health.ReinstallNeeded({start - 5000, start + step, false, start + step}) ? 'y' : '-';
        EXPECT_EQ(reinstalled, "y--y-y-y") << start;
    }
    HookHealth health;
    ASSERT_TRUE(health.ReinstallNeeded({1000, 4000, false, 4000}));
    for (uint32_t now = 4015; now < 8000; now += 15) EXPECT_FALSE(health.ReinstallNeeded({now - 10, now, false, now}));
    EXPECT_TRUE(health.ReinstallNeeded({8000, 9500, false, 9500}));
    EXPECT_EQ(health.Reinstalls(), 2);
}
