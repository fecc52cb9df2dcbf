#include "app/RestPlan.h"

#include <cmath>

bool RestPlan::PointerActivity(uint32_t nowMs) {
    lastActivityMs_ = nowMs;
    if (ticking_) return false;
    ticking_ = true;
    return true;
}

bool RestPlan::KeepTicking(uint32_t nowMs, bool busy) {
    if (busy) lastActivityMs_ = nowMs;
    // Unsigned: the difference stays right across the tick count's wrap after 49.7 days.
    ticking_ = pollPointer_ || nowMs - lastActivityMs_ < kRestAfterMs;
    return ticking_;
}

bool RestPlan::KeyActivity() {
    passesSinceKeyEvent_ = 0;
    if (keyPolling_) return false;
    keyPolling_ = true;
    return true;
}

bool RestPlan::KeepPolling(bool keyHeld, bool lineListed) {
    if (passesSinceKeyEvent_ < 2) ++passesSinceKeyEvent_;
    keyPolling_ = pollKeys_ || keyHeld || lineListed || passesSinceKeyEvent_ < 2;
    return keyPolling_;
}

std::optional<uint32_t> RestPlan::AutoHideWait(const AutoHideState& state, const AutoHideSettings& settings,
                                               double nowSeconds) const {
    if (!settings.whenIdle && !settings.whenTyping && !state.AutoHidden) return std::nullopt;
    if (pollPointer_ || ticking_ || keyPolling_) return kAutoHideTickMs;
    // At rest, hidden overlays wait for a move or a press, and typing for a key: each wakes
    // a timer above, which brings the designed checks back.
    if (state.AutoHidden || !settings.whenIdle) return std::nullopt;
    const double seconds = state.SecondsUntilIdle(nowSeconds, settings);
    // A millisecond late rather than early, so that the check finds the delay run out.
    return static_cast<uint32_t>(std::ceil(seconds * 1000)) + 1;
}
