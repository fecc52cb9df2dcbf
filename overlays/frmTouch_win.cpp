#include "overlays/frmTouch_win.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;

}  // namespace

void frmTouch::SetLook(int32_t alpha, COLORREF colour, double scale) {
    ApplyAlpha(alpha);
    colour_ = colour;
    scale_ = scale;
}

void frmTouch::Press(PointerKind kind, Point pointer) {
    tmrHide.Stop();
    pressedAt_ = ::GetTickCount();
    shape_ = TouchMarkShapeFor(kind, scale_);
    const Size size{shape_.side, shape_.side};
    if (size != ClientSize())
        Resize(size);  // the resize repaints
    else
        Repaint();
    MoveTo(CentreOnPointer(pointer, size));
    ShowOnTop();
    ::UpdateWindow(hwnd());
}

void frmTouch::Release() {
    if (!Shown()) return;
    const uint32_t wait = TouchMarkHideAfterMs(pressedAt_, ::GetTickCount());
    if (wait == 0)
        Hide();
    else
        tmrHide.Start(hwnd(), kHideTimer, wait);
}

void frmTouch::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    FillBox(dc, tools, area, ::Display().ColourKey);
    DrawEllipse(dc, tools, shape_.outline, colour_, shape_.penWidth, shape_.filled);
}

LRESULT frmTouch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kHideTimer) {
        tmrHide.Stop();
        Hide();
        return 0;
    }
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
