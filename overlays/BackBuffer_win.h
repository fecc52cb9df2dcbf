// An off-screen surface the size of a window's client area. Overlays draw into it when
// their content changes and WM_PAINT only copies it, so a repaint never redraws shapes.
#pragma once

#include "app/Handles_win.h"

#include <windows.h>

#include <optional>

class BackBuffer {
public:
    // Recreates the surface when the size changed; true when it did.
    bool Resize(int width, int height);
    HDC dc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void CopyTo(HDC target, const RECT& area) const;

    void FillRectangle(const RECT& area, COLORREF colour);
    // A filled ellipse with its outline in the same colour, inside the given box.
    void FillEllipse(double left, double top, double right, double bottom, COLORREF colour);

private:
    handles::MemoryDc dc_;
    handles::Bitmap bitmap_;
    // Selected for the buffer's whole life and selected back before the bitmap goes.
    std::optional<handles::SelectObjectGuard> selection_;
    int width_ = 0;
    int height_ = 0;
};
