// Rounding, transparency and placement arithmetic shared by the overlays and the
// tracking loop. Pure functions over plain values: no window system here.
#pragma once

#include <cstdint>

// Nearest integer, halves to the even neighbour (2.5 → 2, 3.5 → 4).
int32_t RoundEven(double x);
// Largest integer not above x.
int32_t Int(double x);

// Slider percent 0..100 → layered-window alpha 255..0, rounded half to even.
// Out-of-range percents are clamped so the result is always a valid byte.
uint8_t TransparencyToAlpha(double percent);

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Size&) const = default;
};

// left, top, right, bottom; right and bottom are outside.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    // The rectangle of a place given as left, top, width and height (layout tables).
    static constexpr Rect At(int32_t left, int32_t top, int32_t width, int32_t height) {
        return {left, top, left + width, top + height};
    }
};

// A length in pixels at 96 dpi as pixels at dpi, to the nearest pixel (halves away from
// zero, as MulDiv rounds).
int32_t ScaleLength(int32_t length96, uint32_t dpi);
// Each edge scaled on its own, so that controls that touch at 96 dpi touch at every DPI.
Rect ScaleRect(const Rect& rect96, uint32_t dpi);

// The virtual desktop: left, top, width, height in pixels.
struct ScreenBounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const ScreenBounds&) const = default;
    Rect AsRect() const { return {left, top, left + width, top + height}; }
};

// Top-left corner that centres a window of this client size on the pointer,
// rounding half to even (click rings, wheel arrows).
Point CentreOnPointer(Point pointer, Size client);
// The halo rounds down instead, so its disc sits on the same pixel for odd and even sizes.
Point CentreHaloOnPointer(Point pointer, Size client);

// Where the mouse image (offset 11) or the keyboard display (offset -11) goes: beside
// and below the pointer, scaled by factor, kept inside boundary, and moved above the
// pointer when it would cover it.
Point PositionNearPointer(Point pointer, Size client, double factor, double offset, const Rect& boundary);

// The result of re-measuring the desktop: whether it changed, and the boundary that
// follows it unless the user set one.
struct ScreenUpdate {
    bool changed = false;
    ScreenBounds bounds;
    Rect boundary;
};
ScreenUpdate UpdateScreenBounds(const ScreenBounds& previous, const ScreenBounds& measured,
                                const Rect& boundary, bool customBoundary);

// A shape placed in floating point, as the windows' shapes are laid out.
struct ShapeRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const ShapeRect&) const = default;
};
