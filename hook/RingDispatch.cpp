#include "hook/RingDispatch.h"

std::optional<int32_t> RingDispatch::ClickIndicatorFor(int32_t code) {
    if (code < 1 || code > 9) return std::nullopt;
    const int button = (code - 1) / 3;
    switch ((code - 1) % 3) {
        case 0:  // release
            return currentRing_[button];
        case 1:  // press
            ringCounter_ = (ringCounter_ + 1) % kClickIndicatorCount;
            currentRing_[button] = ringCounter_;
            return ringCounter_;
        default:  // double-click press
            return ringCounter_;
    }
}
