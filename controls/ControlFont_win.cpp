#include "controls/ControlFont_win.h"

#include "base/BackBuffer_win.h"

handles::Font CreateControlFont(UINT dpi, int height96, bool bold) {
    // Candara first, then faces of the same open kind with wide language coverage.
    static const std::wstring face =
        FirstInstalledFace({L"Candara", L"Segoe UI", L"Tahoma", L"DejaVu Sans", L"Arial"});
    LOGFONTW lf{};
    lf.lfHeight = -ScaleToDpi(height96, dpi);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return handles::Font(::CreateFontIndirectW(&lf));
}

UINT WindowDpi(HWND window) {
    // Per-monitor DPI where the system has it (Windows 10 1607 and later, and Wine).
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    handles::WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT ScaleToDpi(const RECT& rect96, UINT dpi) {
    const Rect scaled = ScaleRect({rect96.left, rect96.top, rect96.right, rect96.bottom}, dpi);
    return {scaled.left, scaled.top, scaled.right, scaled.bottom};
}

void CaptionFonts::Make(UINT dpi) {
    for (size_t size = 0; size < fonts_.size(); ++size)
        for (int bold = 0; bold < 2; ++bold)
            fonts_[size][bold] = CreateControlFont(dpi, kControlFontHeight96 - static_cast<int>(size), bold != 0);
    // One screen-compatible DC measures every caption; a window DC per control costs more.
    if (!measure_) measure_.reset(::CreateCompatibleDC(nullptr));
}

void CaptionFonts::Release() {
    for (auto& sizes : fonts_)
        for (handles::Font& font : sizes) font.reset();
    measure_.reset();
}

void CaptionFonts::Fit(HWND control, bool multiline, int reserved, int inset, bool bold) const {
    const int b = bold ? 1 : 0;
    wchar_t text[512] = {};
    ::GetWindowTextW(control, text, 512);
    RECT area{};
    ::GetClientRect(control, &area);
    area.right -= reserved;
    ::InflateRect(&area, -inset, -inset);
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (multiline ? DT_WORDBREAK : DT_SINGLELINE);
    HFONT chosen = fonts_.back()[b].get();
    for (const auto& sizes : fonts_) {
        handles::SelectObjectGuard select(measure_.get(), sizes[b].get());
        RECT needed{0, 0, area.right - area.left, 0};
        ::DrawTextW(measure_.get(), text, -1, &needed, format);
        if (needed.right <= area.right - area.left && needed.bottom <= area.bottom - area.top) {
            chosen = sizes[b].get();
            break;
        }
    }
    // A control not on screen yet is painted whole when it comes: no redraw of its own.
    if (reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)) != chosen)
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), ::IsWindowVisible(control));
}
