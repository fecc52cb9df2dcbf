// The rectangle that the mouse image and the keyboard display keep inside, made from the
// boundary window's frame. The window can be dragged off every monitor or sized below
// what the overlays need; the result is always an area on a monitor they fit in.
#pragma once

#include "base/Geometry.h"

#include <span>

// frame: the boundary window's outer rectangle (its visible frame where the system gives
// it). monitors: every monitor's rectangle. pointer: where the mouse is now. minimum: the
// smallest area the overlays are kept in (the window's minimum track size).
// - A frame on no monitor gives the monitor under the pointer (or the one nearest to it).
// - Otherwise the frame is cut to the desktop, and when what remains is smaller than the
//   minimum it grows around its centre and is pushed inside the monitor that holds most
//   of the frame (never beyond that monitor's size).
// With no monitors at all the frame is taken as it is, corners put in order.
Rect BoundaryFromFrame(const Rect& frame, std::span<const Rect> monitors, Point pointer, Size minimum);
