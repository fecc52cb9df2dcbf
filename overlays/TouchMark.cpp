#include "overlays/TouchMark.h"

#include <algorithm>
#include <cmath>

namespace {

// A fingertip is wider than a pen's; both at 96 dpi.
constexpr double kTouchDotSide = 36, kPenRingSide = 22, kPenRingWidth = 3;

int32_t Scaled(double length, double scale) {
    return std::max(1, static_cast<int32_t>(std::lround(length * std::clamp(scale, 0.25, 8.0))));
}

}  // namespace

TouchMarkShape TouchMarkShapeFor(PointerKind kind, double scale) {
    if (kind != PointerKind::Pen) {
        const int32_t side = Scaled(kTouchDotSide, scale) | 1;  // odd: centred on the pointer's pixel
        return {side, true, 0, {0, 0, double(side), double(side)}};
    }
    const int32_t side = Scaled(kPenRingSide, scale) | 1, pen = Scaled(kPenRingWidth, scale);
    return {side, false, pen, {pen / 2.0, pen / 2.0, double(side - pen), double(side - pen)}};
}

uint32_t TouchMarkHideAfterMs(uint32_t downMs, uint32_t upMs) {
    const uint32_t held = upMs - downMs;
    return held >= kTouchMarkShownMs ? 0 : kTouchMarkShownMs - held;
}
