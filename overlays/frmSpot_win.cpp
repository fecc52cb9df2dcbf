#include "overlays/frmSpot_win.h"

bool frmSpot::Form_Load(int32_t haloSize) {
    backColour_ = ::Display().ColourKey;
    return Load(HaloWindowSide(haloSize), HaloWindowSide(haloSize), true);
}

void frmSpot::OnResize() {
    if (!fullScreen_) hole_ = RingHole(size_, holePercent_);
}

void frmSpot::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, backColour_);
    if (fullScreen_) {
        FillEllipse(dc, tools, hole_, ::Display().ColourKey);
        lastHoleRect_ = HolePaintRect(hole_);
        return;
    }
    FillEllipse(dc, tools, ShapeRect{0, 0, double(area.right - area.left), double(area.bottom - area.top)},
                fillColour_);
    if (holeVisible_) FillEllipse(dc, tools, hole_, ::Display().ColourKey);
}

void frmSpot::SetHaloSize(int32_t size) {
    haloSize_ = size;
    if (!fullScreen_) {
        const int32_t side = HaloWindowSide(size);
        Resize({side, side});
    } else {
        // The hole keeps its left and top; the next tick centres it again.
        hole_.width = hole_.height = 2.0 * size;
    }
}

void frmSpot::SetColor(COLORREF colour, bool temporary) {
    if (!temporary) storedColour_ = colour;
    if (colour == fillColour_) return;
    fillColour_ = colour;
    if (!fullScreen_) Repaint();
}

void frmSpot::SetBackColor(COLORREF colour) {
    if (colour == backColour_) return;
    backColour_ = colour;
    Repaint();
}

void frmSpot::SetHolePercent(int32_t percent) {
    if (percent == holePercent_) return;
    holePercent_ = percent;
    // A halo already laid out takes the new hole at once.
    OnResize();
    if (hwnd()) Repaint();
}

void frmSpot::SetFullScreen(bool on, const ScreenBounds& desktop) {
    if (!on && !fullScreen_) return;
    fullScreen_ = on;
    if (!on) {
        backColour_ = ::Display().ColourKey;
        Repaint();
        return;
    }
    backColour_ = fillColour_;
    ::SetWindowPos(hwnd(), nullptr, desktop.left, desktop.top, desktop.width, desktop.height, SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
}

void frmSpot::SetHoleVisible(bool visible) {
    if (visible == holeVisible_) return;
    holeVisible_ = visible;
    if (!fullScreen_) Repaint();
}

void frmSpot::DrawHole(bool force) {
    if (Hidden()) return;
    const Rect next = HolePaintRect(hole_);
    if (next == lastHoleRect_ && !force) return;

    const Rect old = lastHoleRect_;
    GdiTools& tools = buffer_.Tools();
    FillBox(buffer_.dc(), tools, RECT{old.left, old.top, old.right, old.bottom}, backColour_);
    lastHoleRect_ = next;
    FillEllipse(buffer_.dc(), tools, hole_, ::Display().ColourKey);
    ShowArea(old);
    ShowArea(next);
}

void frmSpot::ShowArea(const Rect& area) {
    // One pixel of slack for the ellipse's outline.
    const RECT r{area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
    ::InvalidateRect(hwnd(), &r, FALSE);
}

void frmSpot::StartBlink() {
    if (!fullScreen_) isBlinking_ = true;
}

void frmSpot::StopBlink() {
    isBlinking_ = false;
    SetColor(storedColour_, true);
}

void frmSpot::tmrBlink_Timer() {
    if (!isBlinking_) return;
    blinkPhase_ = !blinkPhase_;
    SetColor(blinkPhase_ ? RGB(255, 255, 255) : RGB(0, 0, 0), true);
}
