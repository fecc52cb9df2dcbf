#include "controls/GradShape_win.h"

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
