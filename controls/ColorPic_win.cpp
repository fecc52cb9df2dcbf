#include "controls/ColorPic_win.h"

#include "controls/Accessible_win.h"
#include "controls/ControlFont_win.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kFlashTimer = 1;
// The one-pixel margin around the cells, like the edge of a sunken picture.
constexpr COLORREF kMarginColour = RGB(128, 128, 128);

// A solid rectangle without a brush: 45 cells and a flashing frame would otherwise churn
// through a brush per colour on every redraw.
void FillSolid(HDC dc, const RECT& box, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

RECT ToRect(const Rect& r, POINT origin) {
    return {origin.x + r.left, origin.y + r.top, origin.x + r.right, origin.y + r.bottom};
}

// The four sides of a frame inside box, none overlapping another, so that an inverting
// frame inverts each pixel once even when the cell is thinner than two sides.
void ForEachFrameSide(const RECT& box, int width, auto&& draw) {
    const LONG top = std::min<LONG>(box.bottom, box.top + width);
    const LONG bottom = std::max<LONG>(top, box.bottom - width);
    const LONG left = std::min<LONG>(box.right, box.left + width);
    const LONG right = std::max<LONG>(left, box.right - width);
    draw(RECT{box.left, box.top, box.right, top});
    draw(RECT{box.left, bottom, box.right, box.bottom});
    draw(RECT{box.left, top, left, bottom});
    draw(RECT{right, top, box.right, bottom});
}

}  // namespace

bool ColorPic::Create(HWND parent, int id, POINT topLeft96, int sizeFactorX, int sizeFactorY, UINT dpi) {
    sizeFactorX96_ = sizeFactorX;
    sizeFactorY96_ = sizeFactorY;
    if (!CreateWindowOf(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"", 0, 0, 0, 0, parent)) return false;
    ::SetWindowLongPtrW(hwnd(), GWLP_ID, id);
    SetDpi(dpi, topLeft96);
    return true;
}

void ColorPic::SetDpi(UINT dpi, POINT topLeft96) {
    dpi_ = dpi ? dpi : 96;
    topLeft96_ = topLeft96;
    LayOut();
}

void ColorPic::LayOut() {
    model_.SetSizeFactorX(ScaleToDpi(sizeFactorX96_, dpi_));
    model_.SetSizeFactorY(ScaleToDpi(sizeFactorY96_, dpi_));
    const Size size = model_.ImageSize();
    if (hwnd())
        ::SetWindowPos(hwnd(), nullptr, ScaleToDpi(topLeft96_.x, dpi_), ScaleToDpi(topLeft96_.y, dpi_), size.width,
                       size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The resize above has usually rebuilt and drawn the buffer already.
    if (buffer_.Resize(size.width, size.height)) Redraw();
}

void ColorPic::SetRGBColor(uint32_t colour) {
    model_.SetRGBColor(colour);
    Redraw();
    if (hwnd()) NotifyAccessibleValueChange(hwnd());
}

void ColorPic::SetAccessibleName(const std::wstring& name) {
    accessibleName_ = name;
    if (hwnd()) NotifyAccessibleNameChange(hwnd());
}

void ColorPic::PaintContent(HDC dc, const RECT& area) {
    handles::SavedDcState saved(dc);
    const POINT origin{area.left, area.top};
    const Size size = model_.ImageSize();
    FillSolid(dc, RECT{origin.x, origin.y, origin.x + size.width, origin.y + size.height}, kMarginColour);
    const int cw = model_.SizeFactorX(), ch = model_.SizeFactorY();
    for (int column = 0; column < kPaletteColumns; ++column)
        for (int row = 0; row < kPaletteRows; ++row) {
            const Rect cell{kPaletteMargin + column * cw, kPaletteMargin + row * ch, kPaletteMargin + (column + 1) * cw,
                            kPaletteMargin + (row + 1) * ch};
            FillSolid(dc, ToRect(cell, origin), PaletteColour(column, row));
        }
    ForEachFrameSide(ToRect(model_.SelectionRect(), origin), kSelectionFrameWidth, [&](const RECT& side) {
        if (side.right <= side.left || side.bottom <= side.top) return;
        if (focused_)
            FillSolid(dc, side, frameColour_);
        else
            ::PatBlt(dc, side.left, side.top, side.right - side.left, side.bottom - side.top, DSTINVERT);
    });
}

void ColorPic::Redraw() {
    if (!buffer_.dc()) return;
    PaintContent(buffer_.dc(), RECT{0, 0, buffer_.Width(), buffer_.Height()});
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ColorPic::Raise(std::optional<uint32_t> picked) {
    if (!picked) return;
    Redraw();
    NotifyAccessibleValueChange(hwnd());
    if (RGBChanged) RGBChanged();
}

void ColorPic::OnFocus(bool focused) {
    focused_ = focused;
    if (focused) {
        // Every focus starts the cycle from its dark end, so the frame first shows black.
        model_.RestartFlash();
        frameColour_ = model_.NextFlashColour();
        tmrFlash.Start(hwnd(), kFlashTimer, kFlashIntervalMs);
    } else {
        tmrFlash.Stop();
    }
    Redraw();
}

void ColorPic::tmrFlash_Timer() {
    const COLORREF next = model_.NextFlashColour();
    // Most ticks repeat the colour before (seven blacks, eight whites).
    if (next == frameColour_) return;
    frameColour_ = next;
    Redraw();
}

void ColorPic::OnMouse(UINT message, int x, int y) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (::GetFocus() != hwnd()) ::SetFocus(hwnd());
        ::SetCapture(hwnd());
        Raise(model_.MouseDown(x, y));
        break;
    case WM_MOUSEMOVE:
        while (auto picked = model_.DragTo(x, y)) Raise(picked);
        break;
    case WM_LBUTTONUP:
        while (auto picked = model_.DragTo(x, y)) Raise(picked);
        model_.EndDrag();
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        break;
    }
}

void ColorPic::OnKeyDown(WPARAM key) {
    switch (key) {
    case VK_LEFT: Raise(model_.KeyDown(-1, 0)); break;
    case VK_RIGHT: Raise(model_.KeyDown(1, 0)); break;
    case VK_UP: Raise(model_.KeyDown(0, -1)); break;
    case VK_DOWN: Raise(model_.KeyDown(0, 1)); break;
    }
}

LRESULT ColorPic::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto answered = AnswerPaintFromBuffer(hwnd(), &buffer_, message, wParam)) return *answered;
    switch (message) {
    case WM_SIZE:
        if (buffer_.Resize(LOWORD(lParam), HIWORD(lParam))) Redraw();
        return 0;
    case WM_SETFOCUS: OnFocus(true); return 0;
    case WM_KILLFOCUS: OnFocus(false); return 0;
    case WM_TIMER:
        if (wParam != kFlashTimer) break;
        tmrFlash_Timer();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        OnMouse(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        model_.EndDrag();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_GETOBJECT:
        // Through the window, not `this`: a screen reader may keep the object after the
        // control is gone, and the window then no longer leads to it.
        return AnswerGetObject(hwnd(), wParam, lParam, [window = hwnd()]() -> AccessibleInfo {
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            if (lstrcmpW(className, ClassName()) != 0) return {};
            const auto* self = reinterpret_cast<const ColorPic*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            if (!self) return {};
            return {self->accessibleName_, ROLE_SYSTEM_LIST, ColourDescription(self->RGBColor())};
        });
    case WM_DESTROY:
        tmrFlash.Stop();
        model_.EndDrag();
        focused_ = false;
        break;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}
