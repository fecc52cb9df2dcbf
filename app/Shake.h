// A quick shake of the pointer, as someone does who has lost it on a large screen: the
// horizontal direction turns several times within about a second, each swing long enough
// not to be a resting hand's tremble.
#pragma once

#include "base/Geometry.h"

#include <array>
#include <cstdint>

inline constexpr int32_t kShakeSwingPixels = 40;
inline constexpr uint32_t kShakeWindowMs = 1000;
inline constexpr std::size_t kShakeTurns = 4;

class ShakeDetector {
public:
    // The pointer at nowMs (a tick count that may wrap): true when this move completes a
    // shake; the next shake then needs turns of its own.
    bool Move(Point pointer, uint32_t nowMs);

private:
    bool started_ = false;
    Point extreme_;             // how far the current swing has gone
    int32_t direction_ = 0;     // of the current swing: -1 left, +1 right, 0 none yet
    std::array<uint32_t, kShakeTurns> turns_{};  // the latest turns' times, oldest first
    std::size_t turnCount_ = 0;
};
