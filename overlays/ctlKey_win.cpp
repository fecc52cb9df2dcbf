#include "overlays/ctlKey_win.h"

#include "base/Geometry.h"
#include "controls/GradShape_win.h"
#include "keyboard/KeyDisplay.h"

void DrawKeyCap(HDC dc, GdiTools& tools, HFONT font, const RECT& cap, const std::wstring& caption, double scale) {
    PaintGradShape(dc, tools, cap, {kKeyCapFrameTopLeft, kKeyCapFrameBottomRight, kGradTopToBottom, 100});
    // The face sits inside the frame like the top of a real key, a little towards its top.
    const int inset = std::max(2, RoundEven(3 * scale));
    const RECT face{cap.left + inset, cap.top + std::max(1, inset / 2), cap.right - inset, cap.bottom - inset};
    PaintGradShape(dc, tools, face, {kKeyCapFaceTopLeft, kKeyCapFaceBottomRight, kGradTopToBottom, 100});
    handles::SelectObjectGuard pen(dc, tools.Pen(kKeyDisplayBorder, 1));
    handles::SelectObjectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, cap.left, cap.top, cap.right, cap.bottom);
    DrawText(dc, font, caption, face, RGB(0, 0, 0), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void DrawKeyListBox(HDC dc, GdiTools& tools, const RECT& box) {
    FillBox(dc, tools, box, kKeyListBackground);
    handles::SelectObjectGuard pen(dc, tools.Pen(kKeyDisplayBorder, 1));
    handles::SelectObjectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
}
