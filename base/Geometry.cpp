#include "base/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Keeps every conversion defined: NaN and far-out values saturate instead of overflowing.
int32_t Saturate(double x) {
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (std::isnan(x)) return 0;
    return static_cast<int32_t>(std::clamp(x, lo, hi));
}

}  // namespace

int32_t RoundEven(double x) { return Saturate(std::nearbyint(x)); }

int32_t Int(double x) { return Saturate(std::floor(x)); }

uint8_t TransparencyToAlpha(double percent) {
    const double alpha = 255.0 - std::clamp(percent, 0.0, 100.0) * 2.55;
    return static_cast<uint8_t>(std::clamp(RoundEven(alpha), 0, 255));
}

Point CentreOnPointer(Point pointer, Size client) {
    return {RoundEven(pointer.x - client.width / 2.0 + 0.5), RoundEven(pointer.y - client.height / 2.0 + 0.5)};
}

Point CentreHaloOnPointer(Point pointer, Size client) {
    return {Int(pointer.x - client.width / 2.0 + 0.5), Int(pointer.y - client.height / 2.0 + 0.5)};
}

Point PositionNearPointer(Point pointer, Size client, double factor, double offset, const Rect& boundary) {
    const double f = std::fabs(factor);
    const double x = pointer.x;
    const double y = pointer.y;
    const double w = client.width;
    const double h = client.height;

    int32_t left;
    int32_t top;
    if (factor <= 0 || offset <= 0) {
        left = RoundEven(x - w - f * std::fabs(offset));
        top = RoundEven(y + 22 * f);
    } else {
        left = RoundEven(x + factor * offset);
        top = RoundEven(y + 22 * factor);
    }

    if (left + w > boundary.right) left = RoundEven(boundary.right - w);
    if (left < boundary.left) left = boundary.left;
    if (top + h > boundary.bottom) top = RoundEven(boundary.bottom - h);
    if (top < boundary.top) top = boundary.top;

    const Rect placed{left, top, Saturate(left + w), Saturate(top + h)};
    if (placed.Contains(pointer)) top = RoundEven(y - h - 22 * f);
    return {left, top};
}

ScreenUpdate UpdateScreenBounds(const ScreenBounds& previous, const ScreenBounds& measured,
                                const Rect& boundary, bool customBoundary) {
    ScreenUpdate update{measured != previous, measured, boundary};
    if (!customBoundary) update.boundary = measured.AsRect();
    return update;
}

int32_t ScaleLength(int32_t length96, uint32_t dpi) {
    const int64_t scaled = static_cast<int64_t>(length96) * dpi;
    const int64_t rounded = scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96);
    return static_cast<int32_t>(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

Rect ScaleRect(const Rect& rect96, uint32_t dpi) {
    return {ScaleLength(rect96.left, dpi), ScaleLength(rect96.top, dpi), ScaleLength(rect96.right, dpi),
            ScaleLength(rect96.bottom, dpi)};
}
