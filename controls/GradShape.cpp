#include "controls/GradShape.h"

#include <algorithm>

namespace {

// A reduce of 0 would divide by zero; it stands for the smallest contrast instead.
constexpr double kReduceZeroFactor = 1'000'000.0;

}  // namespace

Rgb ColorToRGB(uint32_t colour) {
    return {static_cast<int32_t>(colour & 0xFF), static_cast<int32_t>((colour >> 8) & 0xFF),
            static_cast<int32_t>((colour >> 16) & 0xFF)};
}

uint32_t RgbToColour(Rgb rgb) {
    const auto channel = [](int32_t value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); };
    return channel(rgb.r) | channel(rgb.g) << 8 | channel(rgb.b) << 16;
}

Rgb Blend(int32_t i, int32_t n, Rgb topLeft, Rgb bottomRight, int32_t reduce) {
    const double f = reduce == 0 ? kReduceZeroFactor : 100.0 / reduce;
    // n positions are n - 1 steps; a single position is one step, and positions past the
    // last get the last colour. In 64 bits so that no n overflows.
    int64_t steps = static_cast<int64_t>(n) - 1;
    if (steps == 0) steps = 1;
    const int64_t position = std::min<int64_t>(i, steps);
    const double t = static_cast<double>(position) / static_cast<double>(steps);

    const auto mix = [&](int32_t from, int32_t to) {
        const double a = RoundEven(from * f);
        const double b = RoundEven(to / f);
        return RoundEven(t * (b - a) + a);
    };
    return {mix(topLeft.r, bottomRight.r), mix(topLeft.g, bottomRight.g), mix(topLeft.b, bottomRight.b)};
}

int32_t GradLineCount(const GradShapeStyle& style, Size surface) {
    return std::max(0, style.orientation == kGradTopToBottom ? surface.height : surface.width);
}

GradLine GradLineAt(const GradShapeStyle& style, Size surface, int32_t index) {
    const Rgb from = ColorToRGB(style.colorTopLeft);
    const Rgb to = ColorToRGB(style.colorBottomRight);
    if (style.orientation == kGradTopToBottom) {
        return {{0, index}, {surface.width, index}, RgbToColour(Blend(index, surface.height, from, to, style.reduce))};
    }
    return {{index, 0}, {index, surface.height}, RgbToColour(Blend(index, surface.width, from, to, style.reduce))};
}
