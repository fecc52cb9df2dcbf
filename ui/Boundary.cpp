#include "ui/Boundary.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

Rect Ordered(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

Rect Intersection(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.right > r.left && r.bottom > r.top ? r : Rect{};
}

int64_t Area(const Rect& r) { return int64_t{r.Width()} * r.Height(); }

// Squared distance from p to the nearest point of r (0 inside).
int64_t DistanceSquared(const Rect& r, Point p) {
    const int64_t dx = p.x < r.left ? int64_t{r.left} - p.x : p.x >= r.right ? int64_t{p.x} - (r.right - 1) : 0;
    const int64_t dy = p.y < r.top ? int64_t{r.top} - p.y : p.y >= r.bottom ? int64_t{p.y} - (r.bottom - 1) : 0;
    return dx * dx + dy * dy;
}

// One axis of a too-small range: widened around its centre to length, then moved inside
// [low, high), which is at least length long.
void Widen(int32_t& first, int32_t& last, int32_t length, int32_t low, int32_t high) {
    if (last - first >= length) return;
    const int64_t centre2 = int64_t{first} + last;  // twice the centre, no overflow
    int64_t start = (centre2 - length) / 2;
    start = std::clamp<int64_t>(start, low, int64_t{high} - length);
    first = static_cast<int32_t>(start);
    last = static_cast<int32_t>(start + length);
}

}  // namespace

Rect BoundaryFromFrame(const Rect& frame, std::span<const Rect> monitors, Point pointer, Size minimum) {
    const Rect window = Ordered(frame);
    if (monitors.empty()) return window;

    // The monitor that holds most of the frame; none when the frame is on no monitor.
    const Rect* home = nullptr;
    int64_t homeArea = 0;
    Rect desktop = Ordered(monitors.front());
    for (const Rect& m : monitors) {
        const Rect monitor = Ordered(m);
        desktop = {std::min(desktop.left, monitor.left), std::min(desktop.top, monitor.top),
                   std::max(desktop.right, monitor.right), std::max(desktop.bottom, monitor.bottom)};
        const int64_t area = Area(Intersection(window, monitor));
        if (area > homeArea) {
            homeArea = area;
            home = &m;
        }
    }
    if (!home) {
        const Rect* nearest = &monitors.front();
        int64_t best = std::numeric_limits<int64_t>::max();
        for (const Rect& m : monitors) {
            const int64_t d = DistanceSquared(Ordered(m), pointer);
            if (d < best) {
                best = d;
                nearest = &m;
            }
        }
        return Ordered(*nearest);
    }

    Rect boundary = Intersection(window, desktop);
    const Rect monitor = Ordered(*home);
    Widen(boundary.left, boundary.right, std::clamp(minimum.width, 1, monitor.Width()), monitor.left, monitor.right);
    Widen(boundary.top, boundary.bottom, std::clamp(minimum.height, 1, monitor.Height()), monitor.top,
          monitor.bottom);
    return boundary;
}
