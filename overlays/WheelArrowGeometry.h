// The wheel-arrow windows: their size from the ring size, the chevron inside, and which
// wheel turns each one answers.
#pragma once

#include "base/Geometry.h"
#include "overlays/Stroke.h"

#include <array>
#include <cstdint>

// Direction values of the two windows.
inline constexpr int32_t kWheelUp = 0;
inline constexpr int32_t kWheelDown = 1;
inline constexpr int32_t kWheelArrowShowMs = 300;

// A tall narrow window sized from the click-indicator size: 1.2 S + 1 by 3 S + 1.
Size WheelArrowSize(int32_t buttonsSize);

// The chevron's two strokes, apex first, for a pen of penWidth pixels: near the top
// edge pointing up (kWheelUp) or near the bottom edge pointing down.
std::array<Stroke, 2> WheelChevron(int32_t direction, Size client, int32_t penWidth);

// Whether the window of this Direction shows for a mouse event: only wheel turns, +1
// for the up arrow and anything else for the down arrow.
bool WheelArrowReacts(int32_t direction, int32_t code, int32_t argument);
