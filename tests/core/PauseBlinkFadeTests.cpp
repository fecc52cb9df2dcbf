// Pause guard, blink, auto-hide and fade, driven by scripted clock readings.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "app/PauseBlinkFade.h"
#include "app/Shake.h"

namespace {

struct Press {
    double t;
    PauseSource source = PauseSource::Menu;
};

// Which presses were accepted, as "y" and "n"; the paused state must follow the accepted ones.
std::string PressPause(PauseState& pause, const std::vector<Press>& presses) {
    std::string accepted;
    bool paused = pause.Paused;
    for (const Press& p : presses) {
        const PauseToggle toggle = pause.TogglePause(p.t, p.source);
        paused ^= toggle.accepted;
        EXPECT_TRUE(toggle.paused == paused && pause.Paused == paused);
        accepted += toggle.accepted ? 'y' : 'n';
    }
    return accepted;
}

TEST(PauseBlinkFade, PauseTogglesLessThanHalfASecondApartAreIgnoredExceptFromTheShortcut) {
    constexpr PauseSource menu = PauseSource::Menu, key = PauseSource::Shortcut;
    const std::tuple<const char*, std::vector<Press>, const char*> cases[] = {
        {"0.6 s apart", {{10.0}, {10.6}}, "yy"}, {"exactly 0.5 s apart", {{10.0}, {10.5}}, "yn"},
        {"a hair over 0.5 s is 0.5 s once stored in single precision", {{10.0}, {10.50000001}}, "yn"},
        {"the guard counts from the last accepted toggle", {{10.0}, {10.3}, {10.6}}, "yny"},
        {"across midnight", {{86399.8}, {0.1}}, "yy"},
        {"the same instant just before midnight is no midnight passing", {{86399.99}, {86399.99}}, "yn"},
        {"separate shortcut presses", {{10.0, key}, {10.2, key}, {10.3, key}}, "yyy"},
        {"the menu after the shortcut", {{10.0, key}, {10.3, menu}}, "yn"},
        {"the shortcut after the menu", {{10.0, menu}, {10.2, key}}, "yy"},
        {"a broken clock changes nothing", {{kNaN}, {10.0}, {kNaN, key}, {10.2, key}}, "nyny"},
        {"infinite and huge times do not get stuck", {{kInf}, {1e300}, {10.0}, {11.0}}, "nyyy"},
    };
    for (const auto& [what, presses, accepted] : cases) {
        PauseState pause;
        pause.LastPauseToggle = 5;
        EXPECT_EQ(PressPause(pause, presses), accepted) << what;
    }
}

// Every tick of a blink is activity, so nothing auto-hides during it; an idle blink timer is none.
TEST(PauseBlinkFade, BlinkStopsOnThe21stTickAfterItsLastStart) {
    // Ticks after which StartBlink runs again, and the tick that stops.
    for (const auto& [restarts, stopTick] : {std::pair<std::set<int>, int>{{}, 21}, {{10}, 31}, {{5, 6}, 27}}) {
        BlinkState blink;
        AutoHideState idle;
        blink.StartBlink(1.0, idle);
        int stoppedAt = 0;
        for (int tick = 1; tick <= 60; ++tick) {
            idle.TypedKeyCount = 5;
            const double now = 1.0 + tick * 0.15;
            const BlinkTick result = blink.BlinkTimer(now, idle);
            EXPECT_TRUE((result == BlinkTick::Idle) == (stoppedAt != 0) && idle.TypedKeyCount == (stoppedAt ? 5 : 0)) << tick;
            EXPECT_TRUE(stoppedAt || idle.LastActivityTime == now) << tick;
            if (result == BlinkTick::Stop) stoppedAt = tick;
            if (restarts.contains(tick)) blink.StartBlink(now, idle);
        }
        EXPECT_TRUE(stoppedAt == stopTick && !blink.Blinking()) << stoppedAt;
    }
}

enum class Do { Reset, Typed, Check, ForcedCheck };
struct Step {
    Do what;
    double t = 0;
    Point pointer{};
};

// One letter per check: 'H' hidden, '-' shown.
std::string RunAutoHide(AutoHideState& state, const AutoHideSettings& settings, const std::vector<Step>& steps) {
    std::string seen;
    for (const Step& s : steps) {
        if (s.what == Do::Reset) state.ResetIdleTimer(s.t);
        if (s.what == Do::Typed) state.CountTypedPass();
        if (s.what != Do::Check && s.what != Do::ForcedCheck) continue;
        const bool before = state.AutoHidden;
        const AutoHideStep step = state.RefreshAutoHide(s.what == Do::ForcedCheck, s.pointer, s.t, settings);
        EXPECT_TRUE(step.hide == state.AutoHidden && state.LastPointerPos == s.pointer);
        EXPECT_EQ(step.startFade, step.hide != before) << "a fade starts exactly when the state changes";
        seen += step.hide ? 'H' : '-';
    }
    return seen;
}

TEST(PauseBlinkFade, AutoHideFollowsIdleTimeTypingAndPointerMoves) {
    const AutoHideSettings idle5{5, true, false}, idle0{0, true, false}, typing{5, false, true}, both{5, true, true};
    constexpr Do R = Do::Reset, T = Do::Typed, C = Do::Check, F = Do::ForcedCheck;
    // The last column: the fade step, quicker while the delay is 0.
    const std::tuple<const char*, AutoHideSettings, std::vector<Step>, const char*, int32_t> cases[] = {
        {"idle after the delay", idle5, {{R, 100}, {C, 104.9}, {C, 105.0}, {C, 200}}, "-HH", 37},
        {"delay 0 waits 0.1 s, compared in single precision", idle0, {{R, 0.2}, {C, 0.25}, {C, 0.3}}, "-H", 13},
        {"a delay that is not a number counts as 0", {kNaN, true, false}, {{R, 0.2}, {C, 0.3}}, "H", 13},
        {"midnight passing hides", idle5, {{R, 86399.9}, {C, 0.5}}, "H", 37},
        {"jitter under 10 px keeps the idle time running", idle5,
         {{R, 100}, {C, 102, {7, 7}}, {C, 104, {14, 14}}, {C, 106, {21, 21}}, {C, 107, {25, 24}}}, "--HH", 37},
        {"a 10 px move shows again and restarts the delay", idle5,
         {{R, 100}, {C, 106}, {C, 106.3, {6, 8}}, {C, 111.2, {6, 8}}, {C, 111.3, {6, 8}}}, "H--H", 37},
        {"a forced check restarts the delay", idle5, {{R, 100}, {C, 106}, {F, 107}, {C, 111.9}, {C, 112}}, "H--H", 37},
        {"three typing passes hide", typing, {{R, 1}, {T}, {T}, {C, 2}, {T}, {C, 2.25}, {T}, {C, 2.5}}, "-HH", 37},
        {"a pointer move brings typed-away overlays back", typing,
         {{R, 1}, {T}, {T}, {T}, {C, 2}, {C, 2.25, {0, 10}}, {T}, {T}, {C, 2.5, {0, 10}}}, "H--", 37},
        {"a mouse event brings them back", both, {{R, 1}, {T}, {T}, {T}, {C, 2}, {R, 2.1}, {C, 2.25}}, "H-", 37},
        {"a broken clock reading is skipped", idle5, {{R, 1}, {R, kNaN}, {C, kNaN}, {C, 3}, {C, 6}}, "--H", 37},
        {"desktop-wide jumps do not overflow", idle5,
         {{R, 1}, {C, 7, {kMinI, kMinI}}, {C, 7.1, {kMaxI, kMaxI}}, {C, 12.1, {kMaxI, kMaxI}}}, "--H", 37},
    };
    for (const auto& [what, settings, steps, seen, fadeMs] : cases) {
        AutoHideState state;
        EXPECT_EQ(RunAutoHide(state, settings, steps), seen) << what;
        EXPECT_EQ(state.FadeIntervalMs(), fadeMs) << what;
    }
}

// Ticks tmrFade until it asks to stop: the alpha each tick would apply.
std::vector<int32_t> RunFade(AutoHideState& state, int32_t alphaOriginal) {
    std::vector<int32_t> alphas;
    for (AutoHideFade tick = AutoHideFade::Continue; tick == AutoHideFade::Continue && alphas.size() < 1000;)
        if ((tick = state.FadeTimer()) != AutoHideFade::Idle) alphas.push_back(state.FadedAlpha(alphaOriginal));
    EXPECT_FALSE(state.FadeRunning());
    EXPECT_EQ(state.FadeTimer(), AutoHideFade::Idle) << "a stopped fade ignores a stray tick";
    return alphas;
}

// Out in 27 ticks to exactly 0, in in 11 to the user's alpha; a level out of range still ends.
TEST(PauseBlinkFade, FadesTake27TicksOutAnd11InEndAtExactlyZeroOrTheUsersAlphaAndReverseHalfWay) {
    for (int32_t alpha : {255, 128, 1, 0}) {
        AutoHideState state;
        EXPECT_EQ(state.ApplyAutoHide(true), (AutoHideStep{true, true, 37}));
        const std::vector<int32_t> out = RunFade(state, alpha);
        EXPECT_EQ(out.size(), 27u) << alpha;
        EXPECT_TRUE(out.front() == std::lround(alpha * 0.962) && out.back() == 0 && std::is_sorted(out.rbegin(), out.rend()));
        EXPECT_EQ(state.ApplyAutoHide(true), (AutoHideStep{true, false, 37}));
        EXPECT_TRUE(state.ApplyAutoHide(false).startFade);
        const std::vector<int32_t> in = RunFade(state, alpha);
        EXPECT_TRUE(in.size() == 11 && in.back() == alpha) << alpha;
        EXPECT_TRUE(RunFade(state, alpha).empty());
    }
    for (double level : {kNaN, 1e300, -1e300, 5.0, -2.0})
        for (bool hide : {true, false}) {
            AutoHideState state;
            state.AutoHidden = !hide;
            state.ApplyAutoHide(hide);
            state.FadeLevel = level;
            const std::vector<int32_t> run = RunFade(state, 200);
            EXPECT_TRUE(run.size() <= 27 && run.back() == (hide ? 0 : 200)) << level;
        }
    // A fade reversed half way goes back from where it is; from exactly 0 it starts at full.
    for (auto [ticksOut, ticksBackIn] : {std::pair{10, 4u}, {1, 1u}, {0, 11u}}) {
        AutoHideState state;
        state.ApplyAutoHide(true);
        for (int i = 0; i < ticksOut; ++i) state.FadeTimer();
        const double reversedAt = state.FadeLevel;
        state.ApplyAutoHide(false);
        EXPECT_TRUE(ticksOut == 0 || state.FadeLevel == reversedAt);
        EXPECT_EQ(RunFade(state, 255).size(), ticksBackIn) << ticksOut;
        state.ApplyAutoHide(true);
        EXPECT_EQ(RunFade(state, 255).size(), 27u) << ticksOut;
        state.ApplyAutoHide(false);
        state.ApplyAutoHide(true);
        EXPECT_EQ(state.FadeLevel, 1);
    }
}

}  // namespace

// Four turns of swings of 40 px or more within a second make a shake; a tremble, a steady
// move or a slow wave do not, and a shake's turns do not count towards the next one.
TEST(Shake, FourTurnsOfLongSwingsWithinASecond) {
    const std::tuple<const char*, std::vector<int32_t>, uint32_t, uint32_t, const char*> cases[] = {
        {"quick wave", {0, 100, 0, 100, 0, 100}, 0, 50, "nnnnny"},
        {"four turns more make a second shake", {0, 100, 0, 100, 0, 100, 0, 100, 0, 100}, 0, 50, "nnnnnynnny"},
        {"swings of 40 px, overshooting ones too", {0, 30, 40, 0, 60, 10, 60, 20}, 0, 50, "nnnnnnyn"},
        {"a tremble of 30 px", {0, 30, 0, 30, 0, 30, 0, 30}, 0, 50, "nnnnnnnn"},
        {"a slow wave", {0, 100, 0, 100, 0, 100, 0, 100}, 0, 400, "nnnnnnnn"},
        {"across the tick count's wrap", {0, 100, 0, 100, 0, 100}, 0xFFFFFF00u, 50, "nnnnny"},
    };
    for (const auto& [what, xs, start, step, shakes] : cases) {
        ShakeDetector shake;
        std::string got;
        for (size_t i = 0; i < xs.size(); ++i)
            got += shake.Move({xs[i], 300}, start + static_cast<uint32_t>(i) * step) ? 'y' : 'n';
        EXPECT_EQ(got, shakes) << what;
    }
}
