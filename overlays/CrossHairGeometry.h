// The four cross-hair arms: their sizes, where they sit beside the pointer, and the
// strokes of the centre line and the arrow heads inside each arm.
#pragma once

#include "base/Geometry.h"
#include "overlays/Stroke.h"

#include <array>
#include <cstdint>

// ArmIndex values: 0 and 1 are horizontal, 2 and 3 vertical.
enum CrossHairArm : int32_t { LeftArm = 0, RightArm = 1, TopArm = 2, BottomArm = 3 };

inline constexpr int32_t kCrossHairSizeMin = 1;
inline constexpr int32_t kCrossHairSizeMax = 30;
inline constexpr int32_t kCrossHairGapMax = 100;
inline constexpr int kArrowHeads = 41;

// Band thickness from the size slider, made odd so the band centres on the pointer's
// row or column: 4 and 5 both give 5.
int32_t CrossHairThickness(int32_t sizeValue);

// Horizontal arms span the desktop's width, vertical ones its height.
Size ArmSize(CrossHairArm arm, int32_t thickness, const ScreenBounds& desktop);

// Top-left corner of an arm of the given client size, gap pixels away from the pointer.
Point PlaceArm(CrossHairArm arm, Point pointer, Size client, int32_t gap);

// The one-pixel line along the middle of the band.
Stroke CentreLine(CrossHairArm arm, Size client);

// One chevron pointing towards the pointer.
struct ArrowHead {
    Stroke a;
    Stroke b;
    bool operator==(const ArrowHead&) const = default;
};
// Head 0 sits next to the pointer end of the arm; the spacing grows with the distance.
// Heads past the far end lie outside the window and are clipped there.
std::array<ArrowHead, kArrowHeads> ArrowHeads(CrossHairArm arm, Size client);
