#include "app/Shake.h"

#include <algorithm>

bool ShakeDetector::Move(Point pointer, uint32_t nowMs) {
    if (!started_) {
        started_ = true;
        extreme_ = pointer;
        return false;
    }
    const int64_t dx = int64_t{pointer.x} - extreme_.x;
    if (direction_ == 0 || dx * direction_ > 0) {
        // The swing goes on, or the first one begins once it is long enough.
        if (direction_ == 0 && (dx > -kShakeSwingPixels && dx < kShakeSwingPixels)) return false;
        if (direction_ == 0) direction_ = dx > 0 ? 1 : -1;
        extreme_ = pointer;
        return false;
    }
    // Back from the swing's end: a turn once it is a swing of its own, not a tremble.
    if (-dx * direction_ < kShakeSwingPixels) return false;
    direction_ = -direction_;
    extreme_ = pointer;
    std::rotate(turns_.begin(), turns_.begin() + 1, turns_.end());
    turns_.back() = nowMs;
    turnCount_ = std::min(turnCount_ + 1, kShakeTurns);
    // Unsigned: right across the tick count's wrap.
    if (turnCount_ < kShakeTurns || nowMs - turns_.front() > kShakeWindowMs) return false;
    turnCount_ = 0;
    return true;
}
