// Pause guard, blink length, auto-hide decisions and the fade, driven through scripted
// sequences of clock readings the way the settings window's timers would call them.
#include <gtest/gtest.h>

#include "app/PauseBlinkFade.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kMaxI = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinI = std::numeric_limits<int32_t>::min();

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
        if (toggle.accepted) paused = !paused;
        EXPECT_EQ(toggle.paused, paused);
        EXPECT_EQ(pause.Paused, paused);
        accepted += toggle.accepted ? 'y' : 'n';
    }
    return accepted;
}

TEST(PauseBlinkFade, PauseTogglesLessThanHalfASecondApartAreIgnoredExceptFromTheShortcut) {
    constexpr PauseSource menu = PauseSource::Menu;
    constexpr PauseSource key = PauseSource::Shortcut;
    struct Case {
        const char* what;
        std::vector<Press> presses;
        const char* accepted;
    } cases[] = {
        {"0.4 s apart", {{10.0}, {10.4}}, "yn"},
        {"0.6 s apart", {{10.0}, {10.6}}, "yy"},
        {"exactly 0.5 s apart", {{10.0}, {10.5}}, "yn"},
        {"a hair over 0.5 s is 0.5 s once stored in single precision", {{10.0}, {10.50000001}}, "yn"},
        {"the guard counts from the last accepted toggle", {{10.0}, {10.3}, {10.6}}, "yny"},
        {"across midnight", {{86399.8}, {0.1}}, "yy"},
        {"the same instant just before midnight does not look like midnight passing", {{86399.99}, {86399.99}}, "yn"},
        {"separate shortcut presses", {{10.0, key}, {10.2, key}, {10.3, key}}, "yyy"},
        {"the menu after the shortcut", {{10.0, key}, {10.3, menu}}, "yn"},
        {"the shortcut after the menu", {{10.0, menu}, {10.2, key}}, "yy"},
        {"a broken clock changes nothing", {{kNaN}, {10.0}, {kNaN, key}, {10.2, key}}, "nyny"},
        {"infinite and huge times do not get stuck", {{kInf}, {1e300}, {10.0}, {11.0}}, "nyyy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PauseState pause;
        pause.LastPauseToggle = 5;
        EXPECT_EQ(PressPause(pause, c.presses), c.accepted);
    }
}

TEST(PauseBlinkFade, BlinkStopsOnThe21stTickAfterItsLastStart) {
    struct Case {
        std::vector<int> restartAfterTick;  // ticks after which StartBlink runs again
        int stopTick;
    } cases[] = {{{}, 21}, {{10}, 31}, {{20}, 41}, {{5, 6}, 27}};
    for (const Case& c : cases) {
        BlinkState blink;
        AutoHideState idle;
        blink.StartBlink(1.0, idle);
        int stoppedAt = 0;
        for (int tick = 1; tick <= 60; ++tick) {
            idle.TypedKeyCount = 5;
            const double now = 1.0 + tick * 0.15;
            const BlinkTick result = blink.BlinkTimer(now, idle);
            if (stoppedAt) {
                EXPECT_EQ(result, BlinkTick::Idle) << tick;
                EXPECT_EQ(idle.TypedKeyCount, 5) << "an idle blink timer is no activity";
                continue;
            }
            // Every tick is activity, so nothing auto-hides during a blink.
            EXPECT_EQ(idle.LastActivityTime, now);
            EXPECT_EQ(idle.TypedKeyCount, 0);
            if (result == BlinkTick::Stop) {
                stoppedAt = tick;
            } else {
                EXPECT_EQ(result, BlinkTick::Continue);
            }
            for (int r : c.restartAfterTick)
                if (r == tick) blink.StartBlink(now, idle);
        }
        EXPECT_EQ(stoppedAt, c.stopTick);
        EXPECT_FALSE(blink.Blinking());
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
        switch (s.what) {
        case Do::Reset: state.ResetIdleTimer(s.t); break;
        case Do::Typed: state.CountTypedPass(); break;
        case Do::Check:
        case Do::ForcedCheck: {
            const bool before = state.AutoHidden;
            const AutoHideStep step = state.RefreshAutoHide(s.what == Do::ForcedCheck, s.pointer, s.t, settings);
            EXPECT_EQ(step.hide, state.AutoHidden);
            EXPECT_EQ(step.startFade, step.hide != before) << "a fade starts exactly when the state changes";
            EXPECT_EQ(state.LastPointerPos, s.pointer);
            seen += step.hide ? 'H' : '-';
            break;
        }
        }
    }
    return seen;
}

TEST(PauseBlinkFade, AutoHideFollowsIdleTimeTypingAndPointerMoves) {
    const AutoHideSettings idle5{5, true, false};
    const AutoHideSettings idle0{0, true, false};
    const AutoHideSettings typing{5, false, true};
    const AutoHideSettings both{5, true, true};
    constexpr Do R = Do::Reset, T = Do::Typed, C = Do::Check, F = Do::ForcedCheck;
    struct Case {
        const char* what;
        AutoHideSettings settings;
        std::vector<Step> steps;
        const char* seen;
        int32_t fadeMs;
    } cases[] = {
        {"idle after the delay", idle5, {{R, 100}, {C, 104.9}, {C, 105.0}, {C, 200}}, "-HH", 37},
        {"delay 0 waits 0.1 s, compared in single precision", idle0, {{R, 0.2}, {C, 0.25}, {C, 0.3}}, "-H", 13},
        {"a negative delay counts as 0", {-3, true, false}, {{R, 0.2}, {C, 0.25}, {C, 0.3}}, "-H", 13},
        {"a delay that is not a number counts as 0", {kNaN, true, false}, {{R, 0.2}, {C, 0.3}}, "H", 13},
        {"a huge delay never elapses", {1e300, true, false}, {{R, 1}, {C, 86000}}, "-", 37},
        {"idle hiding off", {5, false, false}, {{R, 1}, {C, 80000}}, "-", 37},
        {"midnight passing hides", idle5, {{R, 86399.9}, {C, 0.5}}, "H", 37},
        {"jitter under 10 px keeps the idle time running",
         idle5,
         {{R, 100}, {C, 102, {7, 7}}, {C, 104, {14, 14}}, {C, 106, {21, 21}}, {C, 107, {25, 24}}},
         "--HH",
         37},
        {"a 10 px move shows again and restarts the delay",
         idle5,
         {{R, 100}, {C, 106}, {C, 106.3, {6, 8}}, {C, 111.2, {6, 8}}, {C, 111.3, {6, 8}}},
         "H--H",
         37},
        {"a forced check restarts the delay", idle5, {{R, 100}, {C, 106}, {F, 107}, {C, 111.9}, {C, 112}}, "H--H", 37},
        {"typing hides only when asked to", idle5, {{R, 1}, {T}, {T}, {T}, {C, 2}}, "-", 37},
        {"three typing passes hide", typing, {{R, 1}, {T}, {T}, {C, 2}, {T}, {C, 2.25}, {T}, {C, 2.5}}, "-HH", 37},
        {"a pointer move brings typed-away overlays back",
         typing,
         {{R, 1}, {T}, {T}, {T}, {C, 2}, {C, 2.25, {0, 10}}, {T}, {T}, {C, 2.5, {0, 10}}},
         "H--",
         37},
        {"a mouse event brings them back", both, {{R, 1}, {T}, {T}, {T}, {C, 2}, {R, 2.1}, {C, 2.25}}, "H-", 37},
        {"a broken clock reading is skipped", idle5, {{R, 1}, {R, kNaN}, {C, kNaN}, {C, 3}, {C, 6}}, "--H", 37},
        {"desktop-wide jumps do not overflow",
         idle5,
         {{R, 1}, {C, 7, {kMinI, kMinI}}, {C, 7.1, {kMaxI, kMaxI}}, {C, 12.1, {kMaxI, kMaxI}}},
         "--H",
         37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AutoHideState state;
        EXPECT_EQ(RunAutoHide(state, c.settings, c.steps), c.seen);
        EXPECT_EQ(state.FadeIntervalMs(), c.fadeMs);
    }
}

struct FadeRun {
    int ticks = 0;
    std::vector<int32_t> alphas;
};

// Ticks tmrFade until it asks to stop, taking the alpha each tick would apply.
FadeRun RunFade(AutoHideState& state, int32_t alphaOriginal) {
    FadeRun run;
    for (AutoHideFade tick = AutoHideFade::Continue; tick == AutoHideFade::Continue && run.ticks < 1000;) {
        tick = state.FadeTimer();
        if (tick == AutoHideFade::Idle) break;
        ++run.ticks;
        run.alphas.push_back(state.FadedAlpha(alphaOriginal));
    }
    EXPECT_FALSE(state.FadeRunning());
    EXPECT_EQ(state.FadeTimer(), AutoHideFade::Idle) << "a stopped fade ignores a stray tick";
    return run;
}

TEST(PauseBlinkFade, FadeOutTakes27TicksAndFadeIn11EndingAtExactlyZeroAndTheUsersAlpha) {
    for (int32_t alpha : {255, 200, 128, 13, 1, 0}) {
        SCOPED_TRACE(alpha);
        AutoHideState state;
        const AutoHideStep out = state.ApplyAutoHide(true);
        EXPECT_EQ(out, (AutoHideStep{true, true, 37}));
        EXPECT_EQ(state.FadeLevel, 1);
        const FadeRun fadeOut = RunFade(state, alpha);
        EXPECT_EQ(fadeOut.ticks, 27);
        EXPECT_EQ(fadeOut.alphas.front(), std::lround(alpha * 0.962));
        EXPECT_EQ(fadeOut.alphas.back(), 0);
        EXPECT_EQ(state.FadeLevel, 0);
        for (size_t i = 1; i < fadeOut.alphas.size(); ++i) EXPECT_LE(fadeOut.alphas[i], fadeOut.alphas[i - 1]);

        // Hidden is reported on every call; only a change starts a fade.
        EXPECT_EQ(state.ApplyAutoHide(true), (AutoHideStep{true, false, 37}));
        EXPECT_FALSE(state.FadeRunning());

        EXPECT_TRUE(state.ApplyAutoHide(false).startFade);
        const FadeRun fadeIn = RunFade(state, alpha);
        EXPECT_EQ(fadeIn.ticks, 11) << "ten steps of 0.1 stay just short of 1";
        EXPECT_EQ(fadeIn.alphas.back(), alpha);
        EXPECT_EQ(state.FadeLevel, 1);
        EXPECT_EQ(RunFade(state, alpha).ticks, 0);
    }
}

TEST(PauseBlinkFade, FadeReversedHalfWayGoesBackFromWhereItIs) {
    struct Case {
        const char* what;
        int ticksOut;      // fade-out ticks before showing again
        int ticksBackIn;   // fade-in ticks to the end
        int ticksOutAgain; // a fade-out after that
    } cases[] = {
        {"reversed after 10 steps out (0.62)", 10, 4, 27},
        {"reversed after 1 step out (0.962)", 1, 1, 27},
        {"reversed before the first step: the level jumps from exactly 1 to 0", 0, 11, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AutoHideState state;
        state.ApplyAutoHide(true);
        for (int i = 0; i < c.ticksOut; ++i) ASSERT_EQ(state.FadeTimer(), AutoHideFade::Continue);
        const double reversedAt = state.FadeLevel;
        state.ApplyAutoHide(false);
        if (c.ticksOut > 0) {
            EXPECT_EQ(state.FadeLevel, reversedAt);
        }
        EXPECT_EQ(RunFade(state, 255).ticks, c.ticksBackIn);
        state.ApplyAutoHide(true);
        EXPECT_EQ(RunFade(state, 255).ticks, c.ticksOutAgain);
    }

    // Hidden again before the first fade-in step: from exactly 0 it starts at full.
    AutoHideState state;
    state.ApplyAutoHide(true);
    RunFade(state, 255);
    state.ApplyAutoHide(false);
    state.ApplyAutoHide(true);
    EXPECT_EQ(state.FadeLevel, 1);
}

TEST(PauseBlinkFade, AFadeLevelOutOfRangeEndsTheFadeAndGivesAValidAlpha) {
    for (double level : {kNaN, 1e300, -1e300, 5.0, -2.0}) {
        for (bool hide : {true, false}) {
            AutoHideState state;
            state.AutoHidden = !hide;
            state.ApplyAutoHide(hide);
            state.FadeLevel = level;
            const FadeRun run = RunFade(state, 200);
            EXPECT_LE(run.ticks, 27) << level;
            EXPECT_EQ(run.alphas.back(), hide ? 0 : 200) << level;
        }
    }
}

}  // namespace
