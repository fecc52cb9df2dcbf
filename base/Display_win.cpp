#include "base/Display_win.h"

#include "base/Handles_win.h"

namespace {

DisplayValues Measure() {
    DisplayValues values;
    handles::WindowDc screen(nullptr);
    const int dpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    values.TwipsPerPixelX = dpiX > 0 ? 1440.0 / dpiX : 15.0;
    values.TwipsPerPixelY = dpiY > 0 ? 1440.0 / dpiY : 15.0;
    values.ScaleY = 15.0 / values.TwipsPerPixelY;
    values.ColourKey = ReadColourKey();
    return values;
}

DisplayValues& Measured() {
    static DisplayValues values = Measure();
    return values;
}

}  // namespace

const DisplayValues& Display() { return Measured(); }

COLORREF ReadColourKey() {
    handles::WindowDc screen(nullptr);
    handles::MemoryDc memory(::CreateCompatibleDC(screen.get()));
    handles::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 2, 2));
    if (!memory || !bitmap) return kDesignColourKey;
    handles::SelectObjectGuard select(memory.get(), bitmap.get());
    handles::Brush brush(::CreateSolidBrush(kDesignColourKey));
    const RECT all{0, 0, 2, 2};
    ::FillRect(memory.get(), &all, brush.get());
    const COLORREF read = ::GetPixel(memory.get(), 1, 1);
    return read == CLR_INVALID ? kDesignColourKey : read;
}

int SystemMetricOr(int index, int fallback) {
    if (::GetSystemMetrics(SM_CMONITORS) == 0) return fallback;
    return ::GetSystemMetrics(index);
}

ScreenBounds MeasureScreenBounds() {
    return {
        SystemMetricOr(SM_XVIRTUALSCREEN, 0),
        SystemMetricOr(SM_YVIRTUALSCREEN, 0),
        SystemMetricOr(SM_CXVIRTUALSCREEN, ::GetSystemMetrics(SM_CXSCREEN)),
        SystemMetricOr(SM_CYVIRTUALSCREEN, ::GetSystemMetrics(SM_CYSCREEN)),
    };
}

bool Desktop::UpdateScreenBounds() {
    const ScreenUpdate update = ::UpdateScreenBounds(screenBounds, MeasureScreenBounds(), BoundaryRect, CustomBoundary);
    screenBounds = update.bounds;
    BoundaryRect = update.boundary;
    return update.changed;
}

void Desktop::SetBoundary(const std::optional<Rect>& custom) {
    CustomBoundary = custom.has_value();
    // Without one, the desktop as last measured; the next measurement keeps it up to date.
    BoundaryRect = custom ? *custom : screenBounds.AsRect();
}

void SetTopmost(HWND window) {
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

Point CursorPosition() {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

double SecondsSinceMidnight() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}
