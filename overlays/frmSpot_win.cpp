#include "overlays/frmSpot_win.h"

bool frmSpot::Form_Load() {
    backColour_ = Main().ColourKey;
    return Load(HaloWindowSide(100), HaloWindowSide(100), true);
}

LRESULT frmSpot::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        size_ = {LOWORD(lParam), HIWORD(lParam)};
        Form_Resize();
        return 0;
    }
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}

void frmSpot::Form_Resize() {
    // Outside full-screen mode shpSpot covers the window and shpHole is its centred
    // HaloHolePercent; in full-screen mode the hole keeps its own size and place.
    if (!fullScreen_) hole_ = RingHole(size_, Main().HaloHolePercent);
    Repaint();
}

void frmSpot::PaintContent() {
    const RECT all{0, 0, size_.width, size_.height};
    buffer_.FillRectangle(all, backColour_);
    if (fullScreen_) {
        buffer_.FillEllipse(hole_.left, hole_.top, hole_.left + hole_.width, hole_.top + hole_.height,
                            Main().ColourKey);
        lastHoleRect_ = HolePaintRect(hole_);
        return;
    }
    buffer_.FillEllipse(0, 0, size_.width, size_.height, fillColour_);
    if (holeVisible_) {
        buffer_.FillEllipse(hole_.left, hole_.top, hole_.left + hole_.width, hole_.top + hole_.height,
                            Main().ColourKey);
    }
}

void frmSpot::SetColor(COLORREF colour, bool temporary) {
    fillColour_ = colour;
    if (!temporary) storedColour_ = colour;
    if (!fullScreen_) Repaint();
}

void frmSpot::SetBackColor(COLORREF colour) {
    backColour_ = colour;
    Repaint();
}

void frmSpot::SetFullScreen(bool on) {
    fullScreen_ = on;
    if (!on) {
        backColour_ = Main().ColourKey;
        Repaint();
        return;
    }
    backColour_ = fillColour_;
    const ScreenBounds& b = Main().screenBounds;
    ::SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
}

void frmSpot::SetHoleVisible(bool visible) {
    holeVisible_ = visible;
    if (!fullScreen_) Repaint();
}

void frmSpot::DrawHole(bool force) {
    if (Hidden()) return;
    const Rect next = HolePaintRect(hole_);
    if (next == lastHoleRect_ && !force) return;

    const Rect old = lastHoleRect_;
    buffer_.FillRectangle(RECT{old.left, old.top, old.right, old.bottom}, backColour_);
    lastHoleRect_ = next;
    buffer_.FillEllipse(hole_.left, hole_.top, hole_.left + hole_.width, hole_.top + hole_.height,
                        Main().ColourKey);
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
