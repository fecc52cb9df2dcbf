#include "overlays/CrossHairGeometry.h"

#include <algorithm>

namespace {

bool IsHorizontal(CrossHairArm arm) { return arm == LeftArm || arm == RightArm; }
// Left and top arms run from the desktop edge towards the pointer at their far end.
bool PointerAtFarEnd(CrossHairArm arm) { return arm == LeftArm || arm == TopArm; }

}  // namespace

int32_t CrossHairThickness(int32_t sizeValue) {
    const int32_t v = std::clamp(sizeValue, kCrossHairSizeMin, kCrossHairSizeMax);
    return v % 2 == 0 ? v + 1 : v;
}

Size ArmSize(CrossHairArm arm, int32_t thickness, const ScreenBounds& desktop) {
    const int32_t t = std::max(thickness, 0);
    if (IsHorizontal(arm)) return {std::max(desktop.width, 0), t};
    return {t, std::max(desktop.height, 0)};
}

Point PlaceArm(CrossHairArm arm, Point pointer, Size client, int32_t gap) {
    const double x = pointer.x;
    const double y = pointer.y;
    const double w = client.width;
    const double h = client.height;
    const double g = gap;
    switch (arm) {
        case LeftArm:
            return {RoundEven(x - w - g), RoundEven(y - h / 2 + 0.5)};
        case RightArm:
            return {RoundEven(x + g), RoundEven(y - h / 2 + 0.5)};
        case TopArm:
            return {RoundEven(x - w / 2 + 0.5), RoundEven(y - h - g)};
        default:
            return {RoundEven(x - w / 2 + 0.5), RoundEven(y + g)};
    }
}

Stroke CentreLine(CrossHairArm arm, Size client) {
    if (IsHorizontal(arm)) {
        const int32_t row = Int(client.height / 2.0);
        return {{0, row}, {client.width, row}};
    }
    const int32_t column = Int(client.width / 2.0);
    return {{column, 0}, {column, client.height}};
}

std::array<ArrowHead, kArrowHeads> ArrowHeads(CrossHairArm arm, Size client) {
    const bool horizontal = IsHorizontal(arm);
    const bool farEnd = PointerAtFarEnd(arm);
    const int32_t c = horizontal ? Int(client.height / 2.0) : Int(client.width / 2.0);
    const double length = horizontal ? client.width : client.height;
    const double start = farEnd ? length - 20 : 11;

    // Along the arm (a) and across it (b, exact integers); vertical arms swap the axes.
    auto at = [&](double a, int32_t b) { return horizontal ? Point{Int(a), b} : Point{b, Int(a)}; };

    std::array<ArrowHead, kArrowHeads> heads{};
    // Kept in single precision: which pixel a head lands on follows from its rounding.
    float s = farEnd ? -8.0f : 8.0f;
    for (int i = 0; i < kArrowHeads; ++i) {
        const double grow = i / 20.0;
        s = static_cast<float>(farEnd ? s - grow : s + grow);
        const double p = static_cast<double>(s) * i + start;
        if (farEnd)
            heads[i] = {{at(p, c - 4), at(p + 8, c)}, {at(p + 7, c + 1), at(p - 1, c + 5)}};
        else
            heads[i] = {{at(p + 8, c - 4), at(p, c)}, {at(p + 1, c + 1), at(p + 9, c + 5)}};
    }
    return heads;
}
