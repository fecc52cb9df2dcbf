#include "overlays/frmNotice_win.h"

#include "overlays/OverlayText_win.h"
#include "overlays/ctlKey_win.h"

namespace {

// The mouse image's side of the pointer: the keyboard display keeps its own, to the left.
constexpr double kPointerOffset = 11;

HFONT NoticeFont(GdiTools& tools, double scale) { return OverlayFont(tools, kRingLabelPoints, scale); }

}  // namespace

void frmNotice::ShowNotice(const std::wstring& text, Point pointer, const Rect& desktop, double scale, int32_t alpha) {
    if (!hwnd() && !Load(1, 1, false)) return;
    text_ = text;
    scale_ = scale;
    const handles::WindowDc dc(hwnd());
    layout_ = LoneListLine(MeasureText(dc.get(), NoticeFont(buffer_.Tools(), scale), text).width, scale);
    const Size size = layout_.window;
    MakeTrans(alpha, false);
    // Placed and sized in one call, which repaints; a size that stays needs the new text drawn.
    const Point place = PositionNearPointer(pointer, size, 1.0, kPointerOffset, desktop);
    const bool sameSize = size == size_;
    ::SetWindowPos(hwnd(), HWND_TOPMOST, place.x, place.y, size.width, size.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (sameSize) Repaint();
    tmrHide.Start(hwnd(), HideTimer, kNoticeShownMs);
}

void frmNotice::PaintContent(HDC dc, const RECT& area) {
    GdiTools& tools = buffer_.Tools();
    DrawKeyListBox(dc, tools, area);
    const Rect& t = layout_.text;
    DrawText(dc, NoticeFont(tools, scale_), text_, RECT{t.left, t.top, t.right, t.bottom}, kKeyListText,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

LRESULT frmNotice::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == HideTimer) {
        tmrHide.Stop();
        Hide();
        return 0;
    }
    if (message == WM_DESTROY) tmrHide.Stop();
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}
