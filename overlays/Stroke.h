// A one-pixel line as GDI draws it with MoveToEx/LineTo: the from pixel is drawn,
// the to pixel is not.
#pragma once

#include "base/Geometry.h"

struct Stroke {
    Point from;
    Point to;
    bool operator==(const Stroke&) const = default;
};
