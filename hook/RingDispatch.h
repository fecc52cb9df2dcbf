// Which of the seventeen click-indicator windows shows a button event: presses take
// the windows in turn, so a quick series of clicks leaves a trail of fading rings,
// and each release finds the ring its own press started.
#pragma once

#include <cstdint>
#include <optional>

inline constexpr int32_t kClickIndicatorCount = 17;

class RingDispatch {
public:
    // The window index (0..16) for a button code; nothing for the wheel and unknown
    // codes. Presses (2, 5, 8) advance RingCounter and record it for their button;
    // double-click presses (3, 6, 9) reuse the latest window; releases (1, 4, 7) go to
    // their button's CurrentRing. Call it only while the click indicator is on, since
    // the counter stands still while it is off.
    std::optional<int32_t> ClickIndicatorFor(int32_t code);

    int32_t RingCounter() const { return ringCounter_; }
    // 0 left, 1 middle, 2 right.
    int32_t CurrentRing(int button) const { return currentRing_[button]; }

private:
    int32_t ringCounter_ = 0;
    int32_t currentRing_[3] = {0, 0, 0};
};

// Wheel-arrow window for a wheel event: 0 (the upper arrow) for +1, 1 otherwise.
inline int32_t WheelArrowFor(int32_t data) { return data == 1 ? 0 : 1; }
