// The mark of a finger or a pen tap, which the system also turns into a left click: a dot
// for a finger, a small ring for a pen tip, in the left button's colour. A quick tap would
// vanish before a recording's next frame, so each mark stays a while after its release.
#pragma once

#include "base/Geometry.h"
#include "hook/MouseEvent.h"

#include <cstdint>

inline constexpr uint32_t kTouchMarkShownMs = 300;

struct TouchMarkShape {
    int32_t side = 0;      // of the square window, in pixels
    bool filled = false;   // a dot; else a ring of penWidth
    int32_t penWidth = 0;
    ShapeRect outline;     // the ellipse to draw: a ring's pen is centred on it
    bool operator==(const TouchMarkShape&) const = default;
};

// scale: 1.0 at 96 dpi.
TouchMarkShape TouchMarkShapeFor(PointerKind kind, double scale);

// Milliseconds the mark stays after a release at upMs of a press at downMs (a tick count
// that may wrap): none once it has been up for the shortest showing.
uint32_t TouchMarkHideAfterMs(uint32_t downMs, uint32_t upMs);
