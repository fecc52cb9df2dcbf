#include "overlays/frmWheelArrow_win.h"

namespace {

constexpr UINT_PTR kDelayTimer = 1;

}  // namespace

void frmWheelArrow::MouseEvent(int32_t code, int32_t data) {
    if (!WheelArrowReacts(Direction, code, data)) return;
    ShowOnTop();
    // Another turn while it shows starts the 300 ms again.
    tmrDelay.Start(hwnd(), kDelayTimer, kWheelArrowShowMs);
}

void frmWheelArrow::SetLine(COLORREF colour, int32_t width) {
    if (colour == colour_ && width == width_) return;
    colour_ = colour;
    width_ = width;
    Repaint();
}

void frmWheelArrow::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, ::Display().ColourKey);
    for (const Stroke& stroke : WheelChevron(Direction, size_, width_))
        DrawLine(dc, tools, POINT{stroke.from.x, stroke.from.y}, POINT{stroke.to.x, stroke.to.y}, colour_, width_);
}

LRESULT frmWheelArrow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kDelayTimer) {
        tmrDelay.Stop();
        Hide();
        return 0;
    }
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
