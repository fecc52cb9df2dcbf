// What the display is: measured once, on first use at start, and the same for every window
// after. The colour key is what every overlay paints where it must be invisible.
#pragma once

#include "base/Geometry.h"

#include <windows.h>

#include <optional>

// The design colour of every invisible overlay area; the key is what the display makes of it.
inline constexpr COLORREF kDesignColourKey = RGB(255, 245, 255);

struct DisplayValues {
    double TwipsPerPixelX = 15;
    double TwipsPerPixelY = 15;
    double ScaleY = 1;  // 15 / TwipsPerPixelY: the keyboard display's text scale
    COLORREF ColourKey = kDesignColourKey;
};
const DisplayValues& Display();

// The colour the display renders for the design key colour.
COLORREF ReadColourKey();

// The virtual desktop as the system reports it now.
ScreenBounds MeasureScreenBounds();

// The desktop the overlays live on, and the area the mouse image and the keyboard display
// keep inside: the whole desktop, or a frame the user drew.
struct Desktop {
    ScreenBounds screenBounds;
    Rect BoundaryRect;
    bool CustomBoundary = false;
    // Measures again; true when the desktop changed. The boundary follows the desktop unless
    // the user drew one.
    bool UpdateScreenBounds();
    // A frame the user drew, or the whole desktop again (nothing).
    void SetBoundary(const std::optional<Rect>& custom);
};
int SystemMetricOr(int index, int fallback);

// Topmost and shown, without moving, sizing or activating.
void SetTopmost(HWND window);
// The pointer in screen pixels.
Point CursorPosition();
// Seconds since midnight, local time, to the millisecond.
double SecondsSinceMidnight();
