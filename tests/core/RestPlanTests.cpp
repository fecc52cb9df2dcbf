// When the tracking tick, the keyboard poll and the auto-hide check run, walked through
// scripted events and clock readings.
#include <gtest/gtest.h>

#include "app/RestPlan.h"

#include <string>
#include <vector>

namespace {

// One event of a walk: 'm' a move or press, 't' a tick, 'b' a tick while busy; at a time.
struct Step {
    char event;
    uint32_t ms;
};

// What each step answered: "s" the tick had to start, "-" it ran already, "k" a tick that
// keeps it running, "x" a tick that ends it.
std::string Walk(RestPlan& plan, const std::vector<Step>& steps) {
    std::string answers;
    for (const Step& step : steps) {
        if (step.event == 'm')
            answers += plan.PointerActivity(step.ms) ? 's' : '-';
        else
            answers += plan.KeepTicking(step.ms, step.event == 'b') ? 'k' : 'x';
        EXPECT_EQ(plan.Ticking(), answers.back() != 'x');
    }
    return answers;
}

TEST(RestPlan, TheTickRunsASecondAfterTheLastMoveOrAnimationAndAMoveStartsItAgain) {
    constexpr uint32_t nearWrap = 0xFFFFFE00u;
    const std::tuple<const char*, bool, std::vector<Step>, const char*> cases[] = {
        {"a move, then rest", false, {{'m', 100}, {'t', 115}, {'t', 1099}, {'t', 1100}}, "skkx"},
        {"a later move keeps it", false, {{'m', 100}, {'m', 900}, {'t', 1800}, {'t', 1900}}, "s-kx"},
        {"a move after the end starts it", false, {{'m', 0}, {'t', 1000}, {'m', 5000}, {'t', 5015}}, "sxsk"},
        {"busy ticks keep it", false, {{'m', 0}, {'b', 900}, {'b', 1800}, {'t', 2700}, {'t', 2800}}, "skkkx"},
        {"across the tick count's wrap", false, {{'m', nearWrap}, {'t', 0x100}, {'t', 0x1E8}}, "skx"},
        {"polling as designed never ends", true, {{'m', 0}, {'t', 5000}, {'t', 100000}, {'m', 100001}}, "skk-"},
    };
    for (const auto& [what, polling, steps, answers] : cases) {
        RestPlan plan;
        plan.SetPolling(polling, polling);
        EXPECT_EQ(Walk(plan, steps), answers) << what;
    }
}

TEST(RestPlan, TheKeyPollRunsFromAKeyEventWhileAKeyIsHeldOrALineListed) {
    // held, listed after each pass; "k" the poll goes on, "x" it ends.
    const std::tuple<const char*, bool, std::vector<std::pair<bool, bool>>, const char*> cases[] = {
        {"a tap", false, {{true, false}, {false, false}}, "kx"},
        {"a key the pass at its event missed: one pass more", false, {{false, false}, {false, false}}, "kx"},
        {"a held key, then its line", false, {{true, true}, {true, true}, {false, true}, {false, false}}, "kkkx"},
        {"polling as designed", true, {{false, false}, {false, false}}, "kk"},
    };
    for (const auto& [what, polling, passes, answers] : cases) {
        RestPlan plan;
        plan.SetPolling(false, polling);
        EXPECT_TRUE(plan.KeyActivity()) << what;
        EXPECT_FALSE(plan.KeyActivity()) << what << ": a second key event while the poll runs";
        std::string got;
        for (const auto& [held, listed] : passes) got += plan.KeepPolling(held, listed) ? 'k' : 'x';
        EXPECT_EQ(got, answers) << what;
        EXPECT_EQ(plan.KeyActivity(), !polling) << what << ": a key after the end starts it again";
    }
}

TEST(RestPlan, AutoHideChecksEvery251MsWhileAwakeAndOnceWhenTheDelayRunsOutAtRest) {
    enum Awake { Rest, Tick, Keys, Polled };
    constexpr auto none = std::nullopt;
    // Activity at 100 s (seconds since midnight).
    const std::tuple<const char*, Awake, AutoHideSettings, bool, double, std::optional<uint32_t>> cases[] = {
        {"no option, nothing hidden", Tick, {5, false, false}, false, 101, none},
        {"hidden by an option since switched off", Tick, {5, false, false}, true, 101, kAutoHideTickMs},
        {"pointer moving", Tick, {5, true, false}, false, 101, kAutoHideTickMs},
        {"keys polled", Keys, {5, false, true}, false, 101, kAutoHideTickMs},
        {"designed polling at rest", Polled, {5, true, false}, false, 101, kAutoHideTickMs},
        {"at rest: the rest of the delay, a millisecond late", Rest, {5, true, false}, false, 101.5, 3501},
        {"a delay of 0 waits a tenth", Rest, {0, true, false}, false, 100, 101},
        {"the delay already out", Rest, {5, true, false}, false, 200, 1},
        {"midnight passed", Rest, {5, true, false}, false, 3, 1},
        {"hidden at rest: a move wakes it", Rest, {5, true, false}, true, 200, none},
        {"typing alone at rest: a key wakes it", Rest, {5, false, true}, false, 101, none},
    };
    for (const auto& [what, awake, settings, hidden, now, wait] : cases) {
        RestPlan plan;
        plan.SetPolling(awake == Polled, awake == Polled);
        plan.SetTicking(awake == Tick);
        plan.SetKeyPolling(awake == Keys);
        AutoHideState state;
        state.ResetIdleTimer(100);
        state.AutoHidden = hidden;
        EXPECT_EQ(plan.AutoHideWait(state, settings, now), wait) << what;
    }
}

}  // namespace
