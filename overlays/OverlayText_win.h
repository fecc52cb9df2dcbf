// Captions and letters on the overlays: black text with a white outline made of offset
// copies, so it reads on any background, in "Candara" or the closest face installed.
#pragma once

#include "base/BackBuffer_win.h"

#include <windows.h>

#include <string>

#include "base/Geometry.h"

// Bold 14.25 pt on the click indicator, bold 12 pt under the mouse image.
inline constexpr double kRingLabelPoints = 14.25;
inline constexpr double kPictureLabelPoints = 12;

// The label font at a scale, 1.0 at 96 dpi: the window's owner decides which DPI it is drawn for.
HFONT OverlayFont(GdiTools& tools, double points, double scale);
// The size a one-line label takes.
Size MeasureText(HDC dc, HFONT font, const std::wstring& text);
// Copy 0 is the black text, every other copy a white outline piece; copy 0 must be drawn last.
void DrawOutlineCopy(HDC dc, HFONT font, const std::wstring& text, const RECT& box, int copy, UINT align);
