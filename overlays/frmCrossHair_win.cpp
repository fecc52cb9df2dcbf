#include "overlays/frmCrossHair_win.h"

void frmCrossHair::SetColors(COLORREF band, COLORREF line) {
    if (band == backColour_ && line == lineColour_) return;
    backColour_ = band;
    lineColour_ = line;
    Repaint();
}

void frmCrossHair::SetArrows(bool on) {
    const COLORREF arrows = on ? lineColour_ : arrowColour_;
    if (on == arrowsOn_ && arrows == arrowColour_) return;
    arrowsOn_ = on;
    // Switched off, the heads keep their colour until they show again.
    arrowColour_ = arrows;
    Repaint();
}

void frmCrossHair::StartBlink() {
    if (!isBlinking_) {
        savedBackColour_ = backColour_;
        savedLineColour_ = lineColour_;
    }
    isBlinking_ = true;
}

void frmCrossHair::StopBlink() {
    if (!isBlinking_) return;
    isBlinking_ = false;
    SetColors(savedBackColour_, savedLineColour_);
}

void frmCrossHair::tmrBlink_Timer() {
    if (!isBlinking_) return;
    blinkPhase_ = !blinkPhase_;
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    SetColors(blinkPhase_ ? white : black, blinkPhase_ ? black : white);
}

void frmCrossHair::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, backColour_);
    const auto line = [&](const Stroke& s, COLORREF colour) {
        DrawLine(dc, tools, POINT{s.from.x, s.from.y}, POINT{s.to.x, s.to.y}, colour, 1);
    };
    line(CentreLine(Arm(), size_), lineColour_);
    if (!arrowsOn_) return;
    for (const ArrowHead& head : ArrowHeads(Arm(), size_)) {
        line(head.a, arrowColour_);
        line(head.b, arrowColour_);
    }
}
