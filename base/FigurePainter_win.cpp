#include "base/FigurePainter_win.h"

std::vector<Sample> Canvas::Flatten(const Figure& f) const {
    const std::vector<Pt>& p = f.Points();
    std::vector<Sample> samples;
    for (size_t i = 0; i + 3 < p.size(); i += 3) {
        const Vec a = Device(p[i]), b = Device(p[i + 1]), c = Device(p[i + 2]), d = Device(p[i + 3]);
        const double reach = Length(b - a) + Length(c - b) + Length(d - c);
        const int steps = std::clamp(int(std::ceil(reach)), 2, 400);
        for (int k = i == 0 ? 0 : 1; k <= steps; ++k) {
            const double t = double(k) / steps, u = 1 - t;
            const Vec at = a * (u * u * u) + b * (3 * u * u * t) + c * (3 * u * t * t) + d * (t * t * t);
            Vec tangent = (b - a) * (u * u) + (c - b) * (2 * u * t) + (d - c) * (t * t);
            if (Length(tangent) < 1e-9) tangent = d - a;
            const double length = std::max(Length(tangent), 1e-9);
            samples.push_back({at, {tangent.y / length, -tangent.x / length}});
        }
    }
    return samples;
}

POINT Canvas::Corner(Vec v) const {
    const double x = Snap(v.x - left_), y = Snap(v.y - top_);
    const double rx = x <= width_ / 2.0 ? std::floor(x + 0.5) : width_ - std::floor(width_ - x + 0.5);
    return {left_ + LONG(rx), top_ + LONG(std::floor(y + 0.5))};
}

POINT Canvas::PixelAt(Vec v) const {
    const double x = Snap(v.x - left_), y = Snap(v.y - top_);
    const double px = x <= width_ / 2.0 ? std::floor(x) : width_ - 1 - std::floor(width_ - x);
    return {left_ + std::clamp(LONG(px), LONG(0), LONG(width_ - 1)),
            top_ + std::clamp(LONG(std::floor(y)), LONG(0), LONG(height_ - 1))};
}

void Painter::Fill(const Figure& f, COLORREF colour, double grow) {
    Trace({Offset(canvas_.Flatten(f), grow)});
    FillTraced(colour);
}

void Painter::Line(const Figure& f, COLORREF colour, int width, bool closed) {
    const std::vector<Sample> samples = canvas_.Flatten(f);
    if (width <= 1) {
        std::vector<POINT> pixels;
        for (const Sample& s : samples) {
            Append(pixels, canvas_.PixelAt(s.at));
            // A pixel in the elbow of a diagonal step thickens the line there.
            const size_t n = pixels.size();
            if (n >= 3 && std::abs(pixels[n - 1].x - pixels[n - 3].x) == 1 &&
                std::abs(pixels[n - 1].y - pixels[n - 3].y) == 1)
                pixels.erase(pixels.end() - 2);
        }
        if (closed) pixels.push_back(pixels.front());
        // Polyline leaves out its last pixel.
        else
            pixels.push_back({pixels.back().x + 1, pixels.back().y});
        handles::SelectObjectGuard pen(dc_, Pen(colour));
        ::Polyline(dc_, pixels.data(), int(pixels.size()));
        return;
    }
    const std::vector<Vec> outer = Offset(samples, width / 2.0), inner = Offset(samples, -width / 2.0);
    if (closed) {
        Trace({outer, inner});
    } else {
        std::vector<Vec> band = outer;
        band.insert(band.end(), inner.rbegin(), inner.rend());
        Trace({band});
    }
    FillTraced(colour);
}

void Painter::ArrowHead(Vec tip, double baseY, double halfBase, COLORREF fill, COLORREF line, int width) {
    FillRows(tip, baseY, halfBase, line);
    // Moving every edge inwards by the width is scaling about the inscribed centre.
    const double height = std::abs(baseY - tip.y), side = std::hypot(halfBase, height);
    const double radius = halfBase * height / (halfBase + side);
    if (radius <= width + 0.5) return;
    const double k = (radius - width) / radius;
    const double centreY = baseY + (tip.y > baseY ? radius : -radius);
    FillRows({tip.x, centreY + (tip.y - centreY) * k}, centreY + (baseY - centreY) * k, halfBase * k, fill);
}

void Painter::ClipTo(const Figure& f) {
    Trace({Offset(canvas_.Flatten(f), 0)});
    handles::Region inside(::PathToRegion(dc_));
    if (!inside) inside.reset(::CreateRectRgn(0, 0, 0, 0));
    ::ExtSelectClipRgn(dc_, inside.get(), RGN_AND);
}

std::vector<Vec> Painter::Offset(const std::vector<Sample>& samples, double distance) {
    std::vector<Vec> points;
    points.reserve(samples.size());
    for (const Sample& s : samples) points.push_back(s.at + s.normal * distance);
    return points;
}

void Painter::FillRows(Vec tip, double baseY, double halfBase, COLORREF colour) {
    const double top = std::min(tip.y, baseY), bottom = std::max(tip.y, baseY), height = bottom - top;
    std::vector<Vec> left, right;
    for (double row = std::floor(top); row < bottom; ++row) {
        if (row + 0.5 < top) continue;
        // As wide as the head at the row's edge away from the tip, a little less so
        // that halves do not round up; never thinner than the pixels on the tip.
        const double reach = std::max(std::abs(row - tip.y), std::abs(row + 1 - tip.y));
        const double half = std::max(halfBase * std::min(reach / height, 1.0) - 0.25, 0.75);
        left.push_back({tip.x - half, row});
        left.push_back({tip.x - half, row + 1});
        right.push_back({tip.x + half, row});
        right.push_back({tip.x + half, row + 1});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    Trace({left});
    FillTraced(colour);
}

void Painter::Append(std::vector<POINT>& points, POINT p) {
    if (points.empty() || points.back().x != p.x || points.back().y != p.y) points.push_back(p);
}

void Painter::Trace(std::initializer_list<std::vector<Vec>> polygons) {
    ::BeginPath(dc_);
    for (const std::vector<Vec>& polygon : polygons) {
        std::vector<POINT> corners;
        for (const Vec& v : polygon) Append(corners, canvas_.Corner(v));
        if (corners.size() < 3) continue;
        ::MoveToEx(dc_, corners[0].x, corners[0].y, nullptr);
        ::PolylineTo(dc_, corners.data() + 1, DWORD(corners.size() - 1));
        ::CloseFigure(dc_);
    }
    ::EndPath(dc_);
}

void Painter::FillTraced(COLORREF colour) {
    handles::SelectObjectGuard brush(dc_, Brush(colour));
    ::FillPath(dc_);
}

HBRUSH Painter::Brush(COLORREF colour) {
    for (const auto& [c, b] : brushes_)
        if (c == colour) return b.get();
    brushes_.emplace_back(colour, handles::Brush(::CreateSolidBrush(colour)));
    return brushes_.back().second.get();
}

HPEN Painter::Pen(COLORREF colour) {
    for (const auto& [c, pen] : pens_)
        if (c == colour) return pen.get();
    pens_.emplace_back(colour, handles::Pen(::CreatePen(PS_SOLID, 1, colour)));
    return pens_.back().second.get();
}
