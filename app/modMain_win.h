// Process-wide values and the life of the process: start, single instance, the hidden
// message window that a second start signals, and the display measurements.
#pragma once

#include "base/Geometry.h"
#include "base/Handles_win.h"

#include <windows.h>

#include <cstdint>

inline constexpr wchar_t kMutexName[] = L"Glimmora_Mutex";
inline constexpr wchar_t kMessageIdName[] = L"Glimmora_MessageID";
inline constexpr wchar_t kMessageWindowTitle[] = L"Glimmora_frmMessageName";
// The design colour of every invisible overlay area; the key is what the display makes of it.
inline constexpr COLORREF kDesignColourKey = RGB(255, 245, 255);

struct ProcessValues {
    UINT MessageId = 0;
    handles::Window MessageWindow;
    WNDPROC OldMessageWindowProc = nullptr;
    double TwipsPerPixelX = 15;
    double TwipsPerPixelY = 15;
    double ScaleY = 1;
    bool IsWin2000OrLater = true;
    ScreenBounds screenBounds;
    Rect BoundaryRect;
    bool CustomBoundary = false;
    COLORREF ColourKey = kDesignColourKey;
    int32_t HaloHolePercent = 50;
};
ProcessValues& Main();

// Entry routine; returns the process exit code.
int StartProgram();

// Re-measures the virtual desktop; true when it changed. Also resets BoundaryRect to the
// desktop unless the user set one.
bool UpdateScreenBounds();
int SystemMetricOr(int index, int fallback);
void DetectWindowsVersion();
// The colour the display renders for the design key colour.
COLORREF ReadColourKey();

void CreateMessageWindow();
void RestoreMessageWindow();

// Topmost and shown, without moving, sizing or activating.
void SetTopmost(HWND window);

// Seconds since midnight, local time, to the millisecond.
double SecondsSinceMidnight();
