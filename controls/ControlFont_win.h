// The font of the settings window and its controls: Candara where it is installed, else
// the closest face the system has, at a height given in pixels at 96 dpi and scaled to
// the window's own DPI.
#pragma once

#include <windows.h>

#include "app/Geometry.h"
#include "app/Handles_win.h"

inline constexpr int kControlFontHeight96 = 13;  // character height in pixels at 96 dpi

handles::Font CreateControlFont(UINT dpi, int height96 = kControlFontHeight96, bool bold = false);

// The DPI the window is shown at (96 where the system cannot tell).
UINT WindowDpi(HWND window);

// A length or rectangle at 96 dpi in pixels at dpi (ScaleLength, ScaleRect).
inline int ScaleToDpi(int length96, UINT dpi) { return ScaleLength(length96, dpi); }
RECT ScaleToDpi(const RECT& rect96, UINT dpi);
