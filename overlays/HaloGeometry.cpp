#include "overlays/HaloGeometry.h"

int32_t HaloWindowSide(int32_t haloSize) { return 2 * haloSize + 1; }

ShapeRect RingHole(Size client, int32_t holePercent) {
    const double w = client.width;
    const double h = client.height;
    const double p = holePercent;
    return {w / 2 - w * p / 200, h / 2 - h * p / 200, w * p / 100, h * p / 100};
}

ShapeRect FullScreenHole(Point pointer, Point windowOrigin, int32_t haloSize) {
    const double side = 2.0 * haloSize;
    return {pointer.x - side / 2 - windowOrigin.x, pointer.y - side / 2 - windowOrigin.y, side, side};
}

Rect HolePaintRect(const ShapeRect& hole) {
    const int32_t left = RoundEven(hole.left);
    const int32_t top = RoundEven(hole.top);
    return {left, top, RoundEven(left + hole.width), RoundEven(top + hole.height)};
}
