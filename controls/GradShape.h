// A rectangle filled with a two-colour linear gradient, painted one line per row (top to
// bottom) or per column (left to right). Colours arrive resolved: system colours are
// looked up by the window before they get here.
#pragma once

#include <cstdint>

#include "base/Geometry.h"

struct Rgb {
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// 0x00BBGGRR to channels; the top byte is ignored.
Rgb ColorToRGB(uint32_t colour);
// Channels to 0x00BBGGRR, each held within 0..255.
uint32_t RgbToColour(Rgb rgb);

// The colour of position i of n, from topLeft at 0 to bottomRight at n - 1. reduce is a
// contrast factor in percent: below 100 the top-left colour is scaled up and the
// bottom-right one down by 100 / reduce (0 counts as a tiny percentage), so channels can
// leave 0..255 when it is not 100.
Rgb Blend(int32_t i, int32_t n, Rgb topLeft, Rgb bottomRight, int32_t reduce = 100);

inline constexpr int32_t kGradTopToBottom = 1;

struct GradShapeStyle {
    uint32_t colorTopLeft = 0;
    uint32_t colorBottomRight = 0;
    int32_t orientation = kGradTopToBottom;  // any other value: left to right
    int32_t reduce = 100;
};

// One MoveToEx/LineTo stroke; the end point is not painted.
struct GradLine {
    Point from;
    Point to;
    uint32_t colour = 0;
    bool operator==(const GradLine&) const = default;
};

// Rows (top to bottom) or columns (left to right) of a surface of this size; 0 when empty.
int32_t GradLineCount(const GradShapeStyle& style, Size surface);
// Line index (a row or a column) across the whole surface.
GradLine GradLineAt(const GradShapeStyle& style, Size surface, int32_t index);
