#include "controls/ctlSlider_win.h"

#include "controls/Accessible_win.h"
#include "controls/ControlFont_win.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kGrooveFill = RGB(218, 218, 218);
constexpr COLORREF kGrooveBorder = RGB(160, 160, 160);
constexpr COLORREF kKnobFill = RGB(240, 240, 240);
constexpr COLORREF kKnobBorder = RGB(118, 118, 118);
constexpr COLORREF kAccent = RGB(0, 120, 215);
constexpr COLORREF kAccentDark = RGB(0, 84, 153);
constexpr int kGrooveHeight96 = 4;
constexpr int kKnobRound96 = 3;

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    if (!text.empty()) ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void RoundBox(HDC dc, GdiTools& tools, const RECT& box, int round, COLORREF fill, COLORREF border) {
    handles::SelectObjectGuard pen(dc, tools.Pen(border, 1));
    handles::SelectObjectGuard brush(dc, tools.Brush(fill));
    ::RoundRect(dc, box.left, box.top, box.right, box.bottom, round, round);
}

}  // namespace

wchar_t UserDecimalSeparator() {
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1 && separator[0])
        return separator[0];
    return L'.';
}

void ctlSlider::MakeFonts() {
    for (size_t i = 0; i < fonts_.size(); ++i)
        fonts_[i] = CreateControlFont(dpi_, kControlFontHeight96 - static_cast<int>(i));
}

void ctlSlider::ReleaseFonts() {
    for (handles::Font& font : fonts_) font.reset();
    condensed_.reset();
}

HFONT ctlSlider::CaptionFont(HDC dc, const std::wstring& caption, int width) {
    for (const handles::Font& font : fonts_) {
        handles::SelectObjectGuard selected(dc, font.get());
        if (TextWidth(dc, caption) <= width) return font.get();
    }
    // Still too long at the smallest size: the smallest size, its letters narrowed to fit.
    if (!condensed_ || condensedFor_ != caption || condensedWidth_ != width) {
        handles::SelectObjectGuard selected(dc, fonts_.back().get());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        const int textWidth = std::max(1, TextWidth(dc, caption));
        LOGFONTW lf{};
        ::GetObjectW(fonts_.back().get(), sizeof lf, &lf);
        lf.lfWidth = std::max(1L, metrics.tmAveCharWidth * width / textWidth);
        condensed_.reset(::CreateFontIndirectW(&lf));
        condensedFor_ = caption;
        condensedWidth_ = width;
    }
    return condensed_.get();
}

bool ctlSlider::Create(HWND parent, int id, const RECT& rect96, UINT dpi) {
    Unload();
    dpi_ = dpi ? dpi : 96;
    MakeFonts();
    buffer_ = std::make_unique<BackBuffer>();
    const RECT place = ScaleToDpi(rect96, dpi_);
    if (!CreateWindowOf(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"", place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent)) {
        buffer_.reset();
        ReleaseFonts();
        return false;
    }
    ::SetWindowLongPtrW(hwnd(), GWLP_ID, id);
    notifiedValue_ = model_.Value();
    LayOut();
    if (!tooltip_.empty()) SetTooltip(std::wstring(tooltip_));
    return true;
}

void ctlSlider::SetDpi(UINT dpi, const RECT& rect96) {
    dpi_ = dpi ? dpi : 96;
    if (!hwnd()) return;
    MakeFonts();
    const RECT place = ScaleToDpi(rect96, dpi_);
    ::SetWindowPos(hwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may be the same while the font is not.
    LayOut();
}

void ctlSlider::SetRange(int32_t min, int32_t max) {
    model_.SetMin(min);
    model_.SetMax(max);
    Refresh(false);
}

void ctlSlider::SetValue(double value) {
    model_.SetValue(value);
    Refresh(false);
}

void ctlSlider::SetStep(double step) {
    model_.SetStep(step);
    Redraw();  // the decimals shown may change
}

void ctlSlider::SetCaption(const std::wstring& caption) {
    model_.SetCaption(caption);
    Redraw();
    if (hwnd()) NotifyAccessibleNameChange(hwnd());
}

void ctlSlider::SetMinText(const std::wstring& text) {
    minText_ = text;
    LayOut();
}

void ctlSlider::SetMaxText(const std::wstring& text) {
    maxText_ = text;
    LayOut();
}

void ctlSlider::SetTooltip(const std::wstring& text) {
    tooltip_ = text;
    if (!tooltipWindow_) return;  // made when the pointer first comes over the slider
    if (text.empty()) {
        tooltipWindow_.reset();
        return;
    }
    TTTOOLINFOW tool = TooltipTool();
    ::SendMessageW(tooltipWindow_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

TTTOOLINFOW ctlSlider::TooltipTool() {
    TTTOOLINFOW tool{};
    // The size comctl32 5 knows too, so the tool is taken with or without a manifest.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = const_cast<wchar_t*>(tooltip_.c_str());
    return tool;
}

void ctlSlider::MakeTooltipWindow() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    tooltipWindow_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr));
    TTTOOLINFOW tool = TooltipTool();
    if (tooltipWindow_) ::SendMessageW(tooltipWindow_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ctlSlider::CaptionText() const { return model_.ValueText(UserDecimalSeparator()); }

RECT ctlSlider::KnobRect() const {
    const int left = RoundEven(model_.KnobLeft());
    return {left, layout_.track.top, left + layout_.knob.width, layout_.track.bottom};
}

void ctlSlider::LayOut() {
    if (!hwnd() || !buffer_ || !fonts_[0]) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    buffer_->Resize(client.right, client.bottom);
    {
        handles::SelectObjectGuard font(buffer_->dc(), fonts_[0].get());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(buffer_->dc(), &metrics);
        const SliderMetrics measured{{client.right, client.bottom}, dpi_, metrics.tmHeight,
                                     TextWidth(buffer_->dc(), minText_), TextWidth(buffer_->dc(), maxText_)};
        // Too small for its parts: the previous geometry stays.
        if (const auto laidOut = LayoutSlider(measured)) {
            layout_ = *laidOut;
            model_.SetTrack(layout_.track.left, layout_.track.Width(), layout_.knob.width);
        }
    }
    Redraw();
}

void ctlSlider::Redraw() {
    if (!hwnd()) return;
    // Drawn when the window next paints, so that changes in a row (and those made while the
    // window is not shown yet) draw once. One not shown yet is painted whole when it comes.
    stale_ = true;
    if (::IsWindowVisible(hwnd())) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ctlSlider::Refresh(bool raiseChange) {
    Redraw();
    if (model_.Value() != notifiedValue_) {
        notifiedValue_ = model_.Value();
        if (hwnd()) NotifyAccessibleValueChange(hwnd());
    }
    if (raiseChange && Change) Change();
}

void ctlSlider::PaintContent(HDC dc, const RECT& area) {
    if (!buffer_) return;
    GdiTools& tools = buffer_->Tools();
    FillBox(dc, tools, area, kBackground);
    const int width = area.right - area.left;

    {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        const std::wstring caption = CaptionText();
        const HFONT captionFont = CaptionFont(dc, caption, width);
        handles::SelectObjectGuard selected(dc, captionFont);
        ::TextOutW(dc, CaptionLeft(layout_, width, TextWidth(dc, caption)), layout_.captionTop, caption.c_str(),
                   static_cast<int>(caption.size()));
        handles::SelectObjectGuard font(dc, fonts_[0].get());
        constexpr UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
        RECT minBox = ToRect(layout_.minLabel);
        RECT maxBox = ToRect(layout_.maxLabel);
        ::DrawTextW(dc, minText_.c_str(), static_cast<int>(minText_.size()), &minBox, format | DT_LEFT);
        ::DrawTextW(dc, maxText_.c_str(), static_cast<int>(maxText_.size()), &maxBox, format | DT_RIGHT);
    }
    FillBox(dc, tools, ToRect(layout_.line), focused_ ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW));

    const Rect& track = layout_.track;
    const int groove = std::max(3, ScaleToDpi(kGrooveHeight96, dpi_));
    const int grooveTop = track.top + (track.Height() - groove) / 2;
    RoundBox(dc, tools, RECT{track.left, grooveTop, track.right, grooveTop + groove}, groove, kGrooveFill, kGrooveBorder);

    const RECT knob = KnobRect();
    const bool dragged = model_.Grabbed() != SliderPart::None;
    const int round = std::max(2, ScaleToDpi(kKnobRound96, dpi_));
    RoundBox(dc, tools, knob, round, dragged ? kAccent : kKnobFill,
             dragged ? kAccentDark : focused_ ? kAccent : kKnobBorder);

    if (focused_) {
        const RECT focus = ToRect(layout_.focus);
        ::DrawFocusRect(dc, &focus);
    }
}

void ctlSlider::OnButtonDown(int x, int y) {
    ::SetFocus(hwnd());
    const SliderPart part = SliderPartAt(layout_, model_, {x, y});
    if (part == SliderPart::None) return;
    ::SetCapture(hwnd());
    Refresh(model_.Press(part, x));
}

void ctlSlider::OnMouseMove(WPARAM keys, int x) {
    if (!(keys & MK_LBUTTON) || model_.Grabbed() == SliderPart::None) return;
    if (model_.Drag(x)) Refresh(true);
}

void ctlSlider::OnButtonUp() {
    if (model_.Grabbed() == SliderPart::None) return;
    model_.Release();
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    Redraw();
}

bool ctlSlider::OnKeyDown(WPARAM key) {
    if (key != VK_LEFT && key != VK_RIGHT) return false;
    Refresh(model_.KeyDown(key == VK_LEFT ? -1 : +1));
    return true;
}

void ctlSlider::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    // A window per slider costs at start-up; most sliders are never hovered.
    if (!tooltipWindow_ && !tooltip_.empty()) MakeTooltipWindow();
    if (!tooltipWindow_) return;
    MSG msg{hwnd(), message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageW(tooltipWindow_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

LRESULT ctlSlider::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Without subclassing, the tooltip learns of the mouse from us.
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        RelayToTooltip(message, wParam, lParam);
    if ((message == WM_PAINT || message == WM_PRINTCLIENT) && stale_ && buffer_ && buffer_->dc()) {
        stale_ = false;
        PaintContent(buffer_->dc(), RECT{0, 0, buffer_->Width(), buffer_->Height()});
    }
    if (const auto answered = AnswerPaintFromBuffer(hwnd(), buffer_.get(), message, wParam)) return *answered;
    switch (message) {
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        Redraw();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam)) return 0;
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd() && model_.Grabbed() != SliderPart::None) {
            model_.Release();
            Redraw();
        }
        return 0;
    case WM_GETOBJECT: {
        // The object may outlive this control in a client's hands: it finds the control
        // through the window, and nothing once the window is gone.
        const HWND window = hwnd();
        return AnswerGetObject(window, wParam, lParam, [window]() -> AccessibleInfo {
            const auto* self = reinterpret_cast<const ctlSlider*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            if (!::IsWindow(window) || !self) return {};
            return {self->model_.Caption(), ROLE_SYSTEM_SLIDER, self->model_.NumberText(UserDecimalSeparator())};
        });
    }
    case WM_DESTROY:
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        model_.Release();
        tooltipWindow_.reset();
        buffer_.reset();
        ReleaseFonts();
        focused_ = false;
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd(), message, wParam, lParam);
}
