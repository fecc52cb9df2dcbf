// The gradient shape as drawing (key caps paint it into their display's buffer) and as a
// child window (the bands of the settings window, with check boxes standing on them).
#pragma once

#include "base/BaseWindow_win.h"
#include "controls/GradShape.h"
#include "base/BackBuffer_win.h"

#include <windows.h>

#include <functional>

// The default colours: button highlight to button shadow.
inline constexpr uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr GradShapeStyle kDefaultGradShapeStyle{kSystemColourFlag | COLOR_BTNHIGHLIGHT,
                                                       kSystemColourFlag | COLOR_BTNSHADOW, kGradTopToBottom, 100};

// A colour as drawn: one with the top bit set is the system colour of its low byte.
COLORREF ResolveGradColour(uint32_t colour);

// Paints style over area (pixels), one line per row or column; colours with the top bit
// set are system colours (GetSysColor(c & 0xFF)).
void PaintGradShape(HDC dc, GdiTools& tools, const RECT& area, const GradShapeStyle& style);

class GradShape : public BaseWindow<GradShape> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_GradShape"; }
    // Double-clicks are passed on like the other mouse events.
    static UINT ClassStyle() { return CS_DBLCLKS; }

    // A child at the bottom of its siblings, rect in the parent's pixels; controls the
    // parent places on it draw over it.
    bool Create(HWND parent, const RECT& rect, const GradShapeStyle& style);
    const GradShapeStyle& Style() const { return style_; }
    void SetStyle(const GradShapeStyle& style);  // repaints

    // Button presses, releases, double-clicks and moves, with the point in the shape's pixels.
    std::function<void(UINT message, POINT at)> MouseEvent;

    void PaintContent(HDC dc, const RECT& area);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Redraw();

    GradShapeStyle style_ = kDefaultGradShapeStyle;
    BackBuffer buffer_;
};
