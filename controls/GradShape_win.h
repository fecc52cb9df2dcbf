// The gradient shape as drawing, into whatever surface shows it: the key caps of the keyboard
// display and the bands of the settings window.
#pragma once

#include "controls/GradShape.h"
#include "base/BackBuffer_win.h"

#include <windows.h>

// The default colours: button highlight to button shadow.
inline constexpr uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr GradShapeStyle kDefaultGradShapeStyle{kSystemColourFlag | COLOR_BTNHIGHLIGHT,
                                                       kSystemColourFlag | COLOR_BTNSHADOW, kGradTopToBottom, 100};

// A colour as drawn: one with the top bit set is the system colour of its low byte.
COLORREF ResolveGradColour(uint32_t colour);

// Paints style over area (pixels), one line per row or column; colours with the top bit
// set are system colours (GetSysColor(c & 0xFF)).
void PaintGradShape(HDC dc, GdiTools& tools, const RECT& area, const GradShapeStyle& style);
