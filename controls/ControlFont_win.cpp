#include "controls/ControlFont_win.h"

#include "overlays/BackBuffer_win.h"

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
