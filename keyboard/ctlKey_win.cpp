#include "keyboard/ctlKey_win.h"

#include "app/Geometry.h"
#include "controls/GradShape.h"
#include "keyboard/KeyDisplay.h"

namespace {

// One line a row, as the gradient shape paints itself.
void FillGradient(HDC dc, GdiTools& tools, const RECT& area, uint32_t topLeft, uint32_t bottomRight) {
    const Size size{area.right - area.left, area.bottom - area.top};
    const GradShapeStyle style{topLeft, bottomRight, kGradTopToBottom, 100};
    for (int32_t i = 0, n = GradLineCount(style, size); i < n; ++i) {
        const GradLine line = GradLineAt(style, size, i);
        DrawLine(dc, tools, POINT{area.left + line.from.x, area.top + line.from.y},
                 POINT{area.left + line.to.x, area.top + line.to.y}, line.colour, 1);
    }
}

}  // namespace

void DrawKeyCap(HDC dc, GdiTools& tools, HFONT font, const RECT& cap, const std::wstring& caption, double scale) {
    FillGradient(dc, tools, cap, kKeyCapFrameTopLeft, kKeyCapFrameBottomRight);
    // The face sits inside the frame like the top of a real key, a little towards its top.
    const int inset = std::max(2, RoundEven(3 * scale));
    const RECT face{cap.left + inset, cap.top + std::max(1, inset / 2), cap.right - inset, cap.bottom - inset};
    FillGradient(dc, tools, face, kKeyCapFaceTopLeft, kKeyCapFaceBottomRight);
    handles::SelectObjectGuard pen(dc, tools.Pen(kKeyDisplayBorder, 1));
    handles::SelectObjectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, cap.left, cap.top, cap.right, cap.bottom);
    DrawText(dc, font, caption, face, RGB(0, 0, 0), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
