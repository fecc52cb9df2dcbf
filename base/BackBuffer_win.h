// An off-screen surface the size of a window's client area, with the pens, brushes and
// fonts it draws with. Overlays draw into it when their content changes and WM_PAINT
// only copies it, so a repaint never redraws shapes; the drawing tools are kept between
// paints, since the same few colours and widths come back on every click.
#pragma once

#include "base/Geometry.h"
#include "base/Handles_win.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The first face of the list that is installed; "Segoe UI" when none is.
std::wstring FirstInstalledFace(const std::vector<std::wstring>& faces);

class GdiTools {
public:
    HBRUSH Brush(COLORREF colour);
    HPEN Pen(COLORREF colour, int width);
    // A font of a face (the first of the list that is installed) in pixels of height.
    HFONT Font(const std::vector<std::wstring>& faces, int pixelHeight, bool bold);
    void Clear();

private:
    struct BrushEntry {
        COLORREF colour;
        handles::Brush brush;
    };
    struct PenEntry {
        COLORREF colour;
        int width;
        handles::Pen pen;
    };
    struct FontEntry {
        std::wstring face;
        int height;
        bool bold;
        handles::Font font;
    };
    std::vector<BrushEntry> brushes_;
    std::vector<PenEntry> pens_;
    std::vector<FontEntry> fonts_;
};

class BackBuffer {
public:
    // Recreates the surface when the size changed; true when it did.
    bool Resize(int width, int height);
    HDC dc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void CopyTo(HDC target, const RECT& area) const;
    GdiTools& Tools() { return tools_; }

private:
    handles::MemoryDc dc_;
    handles::Bitmap bitmap_;
    // Selected for the buffer's whole life and selected back before the bitmap goes.
    std::optional<handles::SelectObjectGuard> selection_;
    GdiTools tools_;
    int width_ = 0;
    int height_ = 0;
};

// A window drawn into a back buffer answers its paint messages from it: nothing to erase,
// WM_PAINT and WM_PRINTCLIENT copy the buffer. Nothing for any other message, or while
// there is no buffer.
std::optional<LRESULT> AnswerPaintFromBuffer(HWND window, const BackBuffer* buffer, UINT message, WPARAM wParam);

// Drawing on any DC with cached tools. Shapes are placed in floating point and rounded
// half to even, as the overlays' layouts are computed.
void FillBox(HDC dc, GdiTools& tools, const RECT& area, COLORREF colour);
// An ellipse inside the box: filled and outlined in one colour.
void FillEllipse(HDC dc, GdiTools& tools, const ShapeRect& box, COLORREF colour);
// An ellipse outline of a pen width centred on the box outline; filled too when fill is set.
void DrawEllipse(HDC dc, GdiTools& tools, const ShapeRect& box, COLORREF colour, int penWidth, bool fill);
// A line from one point to another, the end point left out, like LineTo.
void DrawLine(HDC dc, GdiTools& tools, POINT from, POINT to, COLORREF colour, int penWidth);
// Text in a box, centred horizontally, transparent background.
void DrawText(HDC dc, HFONT font, const std::wstring& text, const RECT& box, COLORREF colour, UINT format);
