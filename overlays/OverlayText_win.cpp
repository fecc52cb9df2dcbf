#include "overlays/OverlayText_win.h"

HFONT OverlayFont(GdiTools& tools, double points, double scale) {
    // Candara first; faces of the same open, rounded kind next, so that the layout keeps.
    static const std::vector<std::wstring> faces{L"Candara", L"Segoe UI", L"Tahoma", L"DejaVu Sans", L"Arial"};
    const int pixels = RoundEven(points * 96.0 / 72.0 * scale);
    return tools.Font(faces, pixels, true);
}

Size MeasureText(HDC dc, HFONT font, const std::wstring& text) {
    if (!dc) return {};
    handles::SelectObjectGuard select(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return {extent.cx, extent.cy};
}

void DrawOutlineCopy(HDC dc, HFONT font, const std::wstring& text, const RECT& box, int copy, UINT align) {
    DrawText(dc, font, text, box, copy == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255),
             align | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}
