// The font of the settings window and its controls: Candara where it is installed, else
// the closest face the system has, at a height given in pixels at 96 dpi and scaled to
// the window's own DPI.
#pragma once

#include <windows.h>

#include <array>

#include "base/Geometry.h"
#include "base/Handles_win.h"

inline constexpr int kControlFontHeight96 = 13;  // character height in pixels at 96 dpi

handles::Font CreateControlFont(UINT dpi, int height96 = kControlFontHeight96, bool bold = false);

// The control font at a DPI in five sizes from the normal one down, plain and bold: a
// caption too long for its control (a long translation) takes the largest that fits.
class CaptionFonts {
public:
    void Make(UINT dpi);
    void Release();
    HFONT Normal(bool bold = false) const { return fonts_[0][bold ? 1 : 0].get(); }
    // Sets on the control the largest font at which its text fits its client area less
    // reserved pixels across (a check box's box) and inset on every side (a button's frame);
    // several lines when multiline, else one.
    void Fit(HWND control, bool multiline, int reserved, int inset, bool bold) const;

private:
    std::array<std::array<handles::Font, 2>, 5> fonts_;
    handles::MemoryDc measure_;
};

// The DPI the window is shown at (96 where the system cannot tell).
UINT WindowDpi(HWND window);

// A length or rectangle at 96 dpi in pixels at dpi (ScaleLength, ScaleRect).
inline int ScaleToDpi(int length96, UINT dpi) { return ScaleLength(length96, dpi); }
RECT ScaleToDpi(const RECT& rect96, UINT dpi);
