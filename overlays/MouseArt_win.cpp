#include "overlays/MouseArt_win.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "base/Handles_win.h"
#include "base/FigurePainter_win.h"

namespace {

// Design space: 100 units across and kDesignHeight down, the mouse symmetric about x = 50
// with its cable leaving at the top.
constexpr double kDesignWidth = 100.0;
constexpr double kDesignHeight = kDesignWidth * kMouseArtAspect;
constexpr double kMid = kDesignWidth / 2;


// Mirror image of a point across the centre line.
constexpr Pt M(Pt p) { return {kDesignWidth - p.x, p.y}; }

// --- The shapes, in design units ---------------------------------------------------

// An egg: narrower at the front, widest behind the middle where the palm rests.
Figure Body() {
    const Pt top{kMid, 12}, side{7, 96}, bottom{kMid, 158};
    const Pt frontC1{24, 12}, frontC2{7, 40}, backC1{7, 136}, backC2{24, 158};
    Figure f(top);
    f.CurveTo(M(frontC1), M(frontC2), M(side));
    f.CurveTo(M(backC1), M(backC2), bottom);
    f.CurveTo(backC2, backC1, side);
    f.CurveTo(frontC2, frontC1, top);
    return f;
}

// A rounded box; its corners are quarter ellipses of the given radius.
Figure RoundedBox(double left, double top, double right, double bottom, double radius) {
    constexpr double kappa = 0.5523;  // control distance of a quarter circle
    const double k = radius * kappa;
    Figure f({left + radius, top});
    f.LineTo({right - radius, top});
    f.CurveTo({right - radius + k, top}, {right, top + radius - k}, {right, top + radius});
    f.LineTo({right, bottom - radius});
    f.CurveTo({right, bottom - radius + k}, {right - radius + k, bottom}, {right - radius, bottom});
    f.LineTo({left + radius, bottom});
    f.CurveTo({left + radius - k, bottom}, {left, bottom - radius + k}, {left, bottom - radius});
    f.LineTo({left, top + radius});
    f.CurveTo({left, top + radius - k}, {left + radius - k, top}, {left + radius, top});
    return f;
}

// The buttons end on a shallow curve that dips at the centre line.
constexpr Pt kButtonEdgeSide{-2, 60}, kButtonEdgeC1{20, 69}, kButtonEdgeC2{36, 71}, kButtonEdgeMid{kMid, 71};
constexpr double kSlotLeft = 40.5, kSlotTop = 23, kSlotBottom = 59;
constexpr double kWheelInset = 3.5;

Figure ButtonEdge() {
    Figure f(kButtonEdgeSide);
    f.CurveTo(kButtonEdgeC1, kButtonEdgeC2, kButtonEdgeMid);
    f.CurveTo(M(kButtonEdgeC2), M(kButtonEdgeC1), M(kButtonEdgeSide));
    return f;
}

Figure SeamAboveSlot() { return Figure({kMid, 10}).LineTo({kMid, kSlotTop}); }
Figure SeamBelowSlot() { return Figure({kMid, kSlotBottom}).LineTo(kButtonEdgeMid); }

Figure Slot() {
    const double half = kMid - kSlotLeft;
    return RoundedBox(kSlotLeft, kSlotTop, M({kSlotLeft, 0}).x, kSlotBottom, half);
}
Figure Wheel() {
    const double left = kSlotLeft + kWheelInset;
    const double half = kMid - left;
    return RoundedBox(left, kSlotTop + kWheelInset, M({left, 0}).x, kSlotBottom - kWheelInset, half);
}

// Everything above the button edge on one side of the centre line; the lit button is the
// mouse drawn again inside it.
Figure LeftButtonArea() {
    Figure f({kMid, -5});
    f.LineTo(kButtonEdgeMid);
    f.CurveTo(kButtonEdgeC2, kButtonEdgeC1, kButtonEdgeSide);
    f.LineTo({-5, kButtonEdgeSide.y});
    f.LineTo({-5, -5});
    f.LineTo({kMid, -5});
    return f;
}
Figure RightButtonArea() {
    Figure f({kMid, -5});
    f.LineTo(kButtonEdgeMid);
    f.CurveTo(M(kButtonEdgeC2), M(kButtonEdgeC1), M(kButtonEdgeSide));
    f.LineTo({kDesignWidth + 5, kButtonEdgeSide.y});
    f.LineTo({kDesignWidth + 5, -5});
    f.LineTo({kMid, -5});
    return f;
}

// The cable leaves the front, swings aside and runs out at the top.
Figure Cable() {
    Figure f({kMid, 14});
    f.CurveTo({kMid, 6}, {kMid + 8, 9}, {kMid + 8, 2});
    return f;
}

// --- Colours ---------------------------------------------------------------------------

// Shaded areas come in three tones: the rim in shadow, the face, and the sheen where
// the light falls from the upper left.
struct Tones {
    COLORREF rim;
    COLORREF face;
    COLORREF sheen;
};

struct Palette {
    COLORREF outline;
    COLORREF seam;
    COLORREF cable;
    COLORREF slot;
    Tones shell;
    Tones wheel;
    COLORREF mark;
};

constexpr Tones kLit{RGB(206, 66, 0), RGB(255, 110, 14), RGB(255, 158, 60)};
constexpr COLORREF kWheelMark = RGB(0, 146, 255);

constexpr Palette kWhite{
    .outline = RGB(40, 44, 54),
    .seam = RGB(118, 124, 138),
    .cable = RGB(56, 60, 70),
    .slot = RGB(52, 56, 66),
    .shell = {RGB(198, 203, 213), RGB(230, 233, 239), RGB(255, 255, 255)},
    .wheel = {RGB(110, 116, 128), RGB(160, 166, 178), RGB(204, 208, 218)},
    .mark = kWheelMark,
};
constexpr Palette kBlack{
    .outline = RGB(172, 177, 188),
    .seam = RGB(104, 108, 120),
    .cable = RGB(150, 154, 166),
    .slot = RGB(6, 6, 8),
    .shell = {RGB(20, 21, 25), RGB(40, 42, 49), RGB(58, 61, 70)},
    .wheel = {RGB(64, 68, 78), RGB(104, 108, 120), RGB(142, 146, 158)},
    .mark = kWheelMark,
};

// The window shows the key colour RGB(255, 245, 255) as a hole; stay clear of it.
constexpr bool ClearOfKey(COLORREF c) {
    const auto apart = [](int a, int b) { return a - b >= 10 || b - a >= 10; };
    return apart(GetRValue(c), 255) || apart(GetGValue(c), 245) || apart(GetBValue(c), 255);
}
constexpr bool ClearOfKey(const Tones& t) { return ClearOfKey(t.rim) && ClearOfKey(t.face) && ClearOfKey(t.sheen); }
constexpr bool ClearOfKey(const Palette& p) {
    return ClearOfKey(p.outline) && ClearOfKey(p.seam) && ClearOfKey(p.cable) && ClearOfKey(p.slot) &&
           ClearOfKey(p.shell) && ClearOfKey(p.wheel) && ClearOfKey(p.mark);
}
static_assert(ClearOfKey(kWhite) && ClearOfKey(kBlack) && ClearOfKey(kLit));


// Below this width the sheen, the wheel's grooves and outlined arrows would be stray pixels.
constexpr int kDetailWidth = 40;

void PaintWheel(Painter& p, const Palette& colours) {
    const Figure wheel = Wheel();
    p.Fill(wheel, colours.wheel.rim);
    p.Fill(wheel.Scaled({kMid, (kSlotTop + kSlotBottom) / 2}, 0.8, {-0.6, -1}), colours.wheel.face);
    if (p.canvas().Width() < kDetailWidth) return;
    // Grooves across the tyre, closer together towards the ends where it turns away.
    const double centre = (kSlotTop + kSlotBottom) / 2, left = kSlotLeft + kWheelInset + 1.5;
    for (double offset : {-10.5, -7.0, -2.5, 2.5, 7.0, 10.5}) {
        Figure groove({left, centre + offset});
        p.Line(groove.LineTo({M({left, 0}).x, centre + offset}), colours.wheel.rim, p.canvas().Pixels(1.1), false);
    }
}

// The whole mouse. Lit layers call it again with other colours inside their clipping,
// so the lit part matches the plain one pixel for pixel but for its colours.
void PaintMouse(Painter& p, const Palette& colours) {
    const Canvas& canvas = p.canvas();
    const int outline = canvas.Pixels(1.9);
    const int seam = canvas.Pixels(1.2);
    p.Line(Cable(), colours.cable, canvas.Pixels(2.6), false);

    const Figure body = Body();
    // The shell reaches under the outline so that no key colour shows between them.
    p.Fill(body, colours.shell.rim, outline > 1 ? outline / 2.0 : 0);
    // Light from the upper left: a sheen along that edge, shadow along the opposite one.
    if (canvas.Width() >= kDetailWidth) p.Fill(body.Scaled({kMid, 85}, 0.93, {-1.2, -2.2}), colours.shell.sheen);
    p.Fill(body.Scaled({kMid, 85}, 0.89, {0.2, 0.2}), colours.shell.face);
    p.Fill(Slot(), colours.slot);
    PaintWheel(p, colours);
    {
        // The seams run out past the shell; the outline covers their ends.
        const handles::SavedDcState clip(p.dc());
        p.ClipTo(body);
        p.Line(SeamAboveSlot(), colours.seam, seam, false);
        p.Line(SeamBelowSlot(), colours.seam, seam, false);
        p.Line(ButtonEdge(), colours.seam, seam, false);
    }
    p.Line(body, colours.outline, outline, true);
}

void PaintArrow(Painter& p, const Palette& colours, bool up) {
    const Canvas& canvas = p.canvas();
    Vec tip = canvas.Device({kMid, up ? 16.0 : 66.0});
    const Vec base = canvas.Device({kMid + 11, up ? 33.0 : 49.0});
    if (canvas.Width() >= kDetailWidth) {
        p.ArrowHead(tip, base.y, base.x - tip.x, colours.mark, colours.outline, canvas.Pixels(1.2));
        return;
    }
    // A few pixels high, a head reads only as clean 45-degree steps, and an outline
    // would leave no colour inside.
    constexpr double rows = 3;
    tip.y = std::floor(up ? tip.y + 0.5 : base.y + rows + 0.5);
    p.ArrowHead(tip, up ? tip.y + rows : tip.y - rows, rows, colours.mark, colours.mark, 1);
}

}  // namespace

void DrawMouseLayer(HDC dc, const RECT& area, int layer, bool black) {
    if (layer < 0 || layer >= kMouseImageLayers || area.right <= area.left || area.bottom <= area.top) return;
    const handles::SavedDcState state(dc);
    // Tiny areas still get whole-pixel arrow heads and outlines; they stop at the edge.
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    // Outline bands are two figures in one path; their overlap is the hole.
    ::SetPolyFillMode(dc, ALTERNATE);
    Painter p(dc, area, kDesignWidth, kDesignHeight);
    const Palette& colours = black ? kBlack : kWhite;
    Palette lit = colours;
    switch (layer) {
        case BodyLayer:
            PaintMouse(p, colours);
            break;
        case LeftLayer:
        case RightLayer:
            lit.shell = kLit;
            p.ClipTo(layer == LeftLayer ? LeftButtonArea() : RightButtonArea());
            PaintMouse(p, lit);
            break;
        case MiddleLayer:
            lit.wheel = kLit;
            p.ClipTo(Slot());
            PaintMouse(p, lit);
            break;
        case WheelUpLayer:
        case WheelDownLayer:
            PaintArrow(p, colours, layer == WheelUpLayer);
            break;
    }
}
