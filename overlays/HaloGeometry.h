// Shapes of the halo: the disc, the ring's transparent centre and the full-screen hole.
#pragma once

#include "base/Geometry.h"

#include <cstdint>

inline constexpr int32_t kHaloHolePercentDefault = 50;

// Side of the square halo window for a size (radius) value: 2 × size + 1.
int32_t HaloWindowSide(int32_t haloSize);

// The ring's transparent centre inside a client area of width × height.
ShapeRect RingHole(Size client, int32_t holePercent);

// The full-screen hole centred on the pointer, in window coordinates of a window whose
// top-left corner is at windowOrigin (screen pixels).
ShapeRect FullScreenHole(Point pointer, Point windowOrigin, int32_t haloSize);

// The integer rectangle the hole paints, as compared between ticks to skip repaints.
Rect HolePaintRect(const ShapeRect& hole);
