#include "overlays/BackBuffer_win.h"

#include "app/Geometry.h"

bool BackBuffer::Resize(int width, int height) {
    if (width == width_ && height == height_ && dc_) return false;
    selection_.reset();
    bitmap_.reset();
    dc_.reset();
    width_ = width;
    height_ = height;
    if (width <= 0 || height <= 0) return true;

    handles::WindowDc screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), width, height));
    if (dc_ && bitmap_) selection_.emplace(dc_.get(), bitmap_.get());
    return true;
}

void BackBuffer::CopyTo(HDC target, const RECT& area) const {
    if (!dc_) return;
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), area.left,
             area.top, SRCCOPY);
}

void BackBuffer::FillRectangle(const RECT& area, COLORREF colour) {
    if (!dc_) return;
    handles::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc_.get(), &area, brush.get());
}

void BackBuffer::FillEllipse(double left, double top, double right, double bottom, COLORREF colour) {
    if (!dc_) return;
    handles::Brush brush(::CreateSolidBrush(colour));
    handles::Pen pen(::CreatePen(PS_SOLID, 1, colour));
    handles::SelectObjectGuard selectBrush(dc_.get(), brush.get());
    handles::SelectObjectGuard selectPen(dc_.get(), pen.get());
    ::Ellipse(dc_.get(), RoundEven(left), RoundEven(top), RoundEven(right), RoundEven(bottom));
}
