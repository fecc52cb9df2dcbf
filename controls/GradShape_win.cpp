#include "controls/GradShape_win.h"

#include <windowsx.h>

COLORREF ResolveGradColour(uint32_t colour) {
    return (colour & kSystemColourFlag) ? ::GetSysColor(static_cast<int>(colour & 0xFF)) : colour & 0xFFFFFF;
}

void PaintGradShape(HDC dc, GdiTools& tools, const RECT& area, const GradShapeStyle& style) {
    if (!dc) return;
    GradShapeStyle resolved = style;
    resolved.colorTopLeft = ResolveGradColour(style.colorTopLeft);
    resolved.colorBottomRight = ResolveGradColour(style.colorBottomRight);
    // The settings window's bands are one colour: one fill, the same pixels as the lines.
    if (resolved.colorTopLeft == resolved.colorBottomRight && resolved.reduce == 100) {
        FillBox(dc, tools, area, resolved.colorTopLeft);
        return;
    }
    // The DC's own pen in each line's colour: a fade of a few hundred colours creates no pens.
    handles::SavedDcState saved(dc);
    handles::SelectObjectGuard pen(dc, ::GetStockObject(DC_PEN));
    const Size size{area.right - area.left, area.bottom - area.top};
    for (int32_t i = 0, n = GradLineCount(resolved, size); i < n; ++i) {
        const GradLine line = GradLineAt(resolved, size, i);
        ::SetDCPenColor(dc, line.colour);
        ::MoveToEx(dc, area.left + line.from.x, area.top + line.from.y, nullptr);
        ::LineTo(dc, area.left + line.to.x, area.top + line.to.y);
    }
}

bool GradShape::Create(HWND parent, const RECT& rect, const GradShapeStyle& style) {
    style_ = style;
    if (!CreateWindowOf(0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent))
        return false;
    ::SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void GradShape::SetStyle(const GradShapeStyle& style) {
    style_ = style;
    Redraw();
}

void GradShape::PaintContent(HDC dc, const RECT& area) { PaintGradShape(dc, buffer_.Tools(), area, style_); }

void GradShape::Redraw() {
    if (!buffer_.dc()) return;
    PaintContent(buffer_.dc(), RECT{0, 0, buffer_.Width(), buffer_.Height()});
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT GradShape::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto answered = AnswerPaintFromBuffer(hwnd(), &buffer_, message, wParam)) return *answered;
    switch (message) {
    case WM_SIZE:
        if (buffer_.Resize(LOWORD(lParam), HIWORD(lParam))) Redraw();
        return 0;
    case WM_SYSCOLORCHANGE:
        Redraw();
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (MouseEvent) MouseEvent(message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
