#include <gtest/gtest.h>

#include "hook/HookHealth.h"

namespace {

constexpr uint32_t kWrap = 0xFFFFFFFFu;

TEST(HookHealth, ReinstallsOnlyForMouseInputTheHookMissedForOverASecond) {
    struct Case {
        const char* name;
        HookHealthSample sample;
        bool reinstall;
    };
    const Case cases[] = {
        {"hook saw the latest input", {5000, 5000, false, 5100}, false},
        {"input missed for 1 s only", {5000, 6000, false, 6100}, false},
        {"input missed for just over 1 s", {5000, 6001, false, 6100}, true},
        {"long missed, pointer where the hook saw it (typing)", {5000, 60000, true, 60100}, false},
        {"the hook saw more than the last input", {9000, 5000, false, 9100}, false},
        {"missed across the wrap", {kWrap - 500, 600, false, 700}, true},
        {"seen across the wrap", {kWrap - 500, 400, false, 700}, false},
        {"hook saw after the wrap, input before", {100, kWrap - 5000, false, 200}, false},
    };
    for (const Case& c : cases) {
        HookHealth health;
        EXPECT_EQ(health.ReinstallNeeded(c.sample), c.reinstall) << c.name;
    }
}

TEST(HookHealth, ReinstallsAtMostOnceASecond) {
    // A hook that stays lost (each reinstall fails at once): the last seen never moves.
    struct Step {
        uint32_t now;
        bool reinstall;
    };
    for (const uint32_t start : {100000u, kWrap - 1500}) {
        HookHealth health;
        const uint32_t seen = start - 5000;
        const Step steps[] = {{0, true}, {15, false}, {500, false}, {999, false}, {1000, true},
                              {1015, false}, {1999, false}, {2600, true}, {3599, false}, {3600, true}};
        for (const Step& step : steps) {
            const uint32_t now = start + step.now;
            EXPECT_EQ(health.ReinstallNeeded({seen, now, false, now}), step.reinstall)
                << "start " << start << " at +" << step.now;
        }
        EXPECT_EQ(health.Reinstalls(), 4);
    }
}

TEST(HookHealth, AHealedHookIsLeftAloneWhileItSeesInput) {
    HookHealth health;
    ASSERT_TRUE(health.ReinstallNeeded({1000, 4000, false, 4000}));
    // Reinstalled at 4000: the shell's last seen starts there; the hook then reports again.
    for (uint32_t now = 4015; now < 8000; now += 15) EXPECT_FALSE(health.ReinstallNeeded({now - 10, now, false, now}));
    // And fails again later: healed again.
    EXPECT_TRUE(health.ReinstallNeeded({8000, 9500, false, 9500}));
    EXPECT_EQ(health.Reinstalls(), 2);
}

}  // namespace
