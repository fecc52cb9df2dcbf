// Figures drawn crisply with GDI: chains of cubic Bezier segments in design units,
// flattened finely here and filled as polygons, with outlines filled as bands of an exact
// width. The system's own flattening shows facets at 150 px and its wide pens round
// unevenly; nothing is smoothed, since a colour-keyed window shows blended edges as a fringe.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "base/Handles_win.h"

struct Pt {
    double x;
    double y;
};

// A chain of cubic Bézier segments: a start point, then three points per segment.
// Straight edges are segments with their control points on the edge.
class Figure {
public:
    explicit Figure(Pt start) { points_.push_back(start); }
    Figure& CurveTo(Pt c1, Pt c2, Pt to) {
        points_.insert(points_.end(), {c1, c2, to});
        return *this;
    }
    Figure& LineTo(Pt to) {
        const Pt from = points_.back();
        const Pt step{(to.x - from.x) / 3, (to.y - from.y) / 3};
        return CurveTo({from.x + step.x, from.y + step.y}, {to.x - step.x, to.y - step.y}, to);
    }
    // The same figure scaled about a centre, then moved.
    Figure Scaled(Pt centre, double factor, Pt shift) const {
        Figure result = *this;
        for (Pt& p : result.points_)
            p = {centre.x + (p.x - centre.x) * factor + shift.x, centre.y + (p.y - centre.y) * factor + shift.y};
        return result;
    }
    const std::vector<Pt>& Points() const { return points_; }

private:
    std::vector<Pt> points_;
};

struct Vec {
    double x;
    double y;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
inline double Length(Vec a) { return std::hypot(a.x, a.y); }

// A point on a flattened figure, in pixels, with the unit normal of the curve there.
struct Sample {
    Vec at;
    Vec normal;
};

// Maps design units onto the area's pixels and flattens figures about a pixel per point.
class Canvas {
public:
    // A design of designWidth x designHeight units stretched over the area.
    Canvas(const RECT& area, double designWidth, double designHeight)
        : left_(area.left),
          top_(area.top),
          width_(area.right - area.left),
          height_(area.bottom - area.top),
          scaleX_(width_ / designWidth),
          scaleY_(height_ / designHeight) {}

    int Width() const { return width_; }
    // A line width given in design units, in whole pixels, at least one.
    int Pixels(double units) const { return std::max(1, int(std::lround(units * scaleX_))); }

    // The figure as points about a pixel apart. Normals point to the left of the direction
    // of travel on screen, which is outwards for a figure drawn clockwise.
    std::vector<Sample> Flatten(const Figure& f) const;

    // Corner points for filled figures: the nearest pixel corner, rounded alike on both
    // sides of the centre line so that mirrored points fill mirrored pixels.
    POINT Corner(Vec v) const;
    // The pixel a point falls in, for one-pixel lines; mirrored points, mirrored pixels.
    POINT PixelAt(Vec v) const;
    Vec Device(Pt p) const { return {left_ + p.x * scaleX_, top_ + p.y * scaleY_}; }

private:
    // Points computed onto a pixel edge may land a hair either side of it; a line down
    // the centre would zigzag between two columns.
    static double Snap(double v) { return std::round(v * 4096) / 4096; }

    LONG left_;
    LONG top_;
    LONG width_;
    LONG height_;
    double scaleX_;
    double scaleY_;
};

// Draws figures on one DC; each pen and brush is made once per layer and kept until the end.
class Painter {
public:
    Painter(HDC dc, const RECT& area, double designWidth, double designHeight)
        : dc_(dc), canvas_(area, designWidth, designHeight) {}

    HDC dc() const { return dc_; }
    const Canvas& canvas() const { return canvas_; }

    // The inside of a closed figure, grown outwards by some pixels.
    void Fill(const Figure& f, COLORREF colour, double grow = 0);
    // A line of a whole number of pixels centred on the figure: a one-pixel line, or a
    // filled band between two offsets of the curve.
    void Line(const Figure& f, COLORREF colour, int width, bool closed);
    // An arrow head pointing up or down from its base, symmetric about the vertical line
    // through its tip, with an outline band of the given width inside its edges. It is
    // built row by row so that even a head of a few pixels keeps a clean, even shape.
    void ArrowHead(Vec tip, double baseY, double halfBase, COLORREF fill, COLORREF line, int width);
    // Narrows the clipping to the inside of a figure until the DC state is restored. A
    // figure too small to make a region clips everything away rather than nothing.
    void ClipTo(const Figure& f);

private:
    static std::vector<Vec> Offset(const std::vector<Sample>& samples, double distance);
    void FillRows(Vec tip, double baseY, double halfBase, COLORREF colour);
    static void Append(std::vector<POINT>& points, POINT p);
    // One path of closed polygons; where they overlap an even number of times is left out.
    void Trace(std::initializer_list<std::vector<Vec>> polygons);
    void FillTraced(COLORREF colour);
    HBRUSH Brush(COLORREF colour);
    HPEN Pen(COLORREF colour);

    HDC dc_;
    Canvas canvas_;
    std::vector<std::pair<COLORREF, handles::Brush>> brushes_;
    std::vector<std::pair<COLORREF, handles::Pen>> pens_;
};
