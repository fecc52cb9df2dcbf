// The settings window's controls: created from the layout table, placed at the window's
// DPI, captioned in the current language and set from the settings record.
#include "ui/frmSet_win.h"

#include <commctrl.h>

#include "settings/SettingsRecord.h"
#include "base/Text_win.h"
#include "controls/ControlFont_win.h"
#include "controls/GradShape_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/SharedLanguage_win.h"
#include "ui/Dialogs_win.h"
#include "overlays/MouseArt_win.h"
#include "overlays/OverlayValues.h"

namespace {

std::wstring Text(int32_t id) { return id ? Widen(SharedLanguage().GetString(id)) : std::wstring(); }

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Only a changed text is set: the controls are created with theirs, and each setting costs
// the control a round of messages.
void ShowText(HWND control, const std::wstring& text) {
    if (WindowText(control) != text) ::SetWindowTextW(control, text.c_str());
}

RECT BandPlace(size_t band, UINT dpi) {
    return ToRect(ScaleRect(Rect{0, kBandTops[band], kBandWidth, kBandTops[band] + kBandHeight}, dpi));
}

struct Creation {
    const wchar_t* windowClass;
    DWORD style;
};

Creation CreationOf(const SettingsControl& c) {
    constexpr DWORD tab = WS_TABSTOP;
    const bool tall = c.place.Height() > 20;
    switch (c.kind) {
    case ControlKind::CheckBox:
        return {WC_BUTTONW, tab | BS_AUTOCHECKBOX | (tall ? BS_MULTILINE | BS_TOP : 0u)};
    case ControlKind::LockToggle: return {WC_BUTTONW, tab | BS_AUTOCHECKBOX | BS_PUSHLIKE};
    case ControlKind::ColourOption:
        return {WC_BUTTONW, BS_AUTORADIOBUTTON | (c.value == 0 ? tab | WS_GROUP : 0u)};
    case ControlKind::PlayOption: return {WC_BUTTONW, BS_OWNERDRAW | (c.value == 0 ? tab | WS_GROUP : 0u)};
    case ControlKind::Button: return {WC_BUTTONW, tab | WS_GROUP | BS_PUSHBUTTON | BS_MULTILINE};
    case ControlKind::MenuButton:
    case ControlKind::HotkeyButton: return {WC_BUTTONW, tab | WS_GROUP | BS_OWNERDRAW};
    case ControlKind::HotkeyLabel:
    case ControlKind::Label: return {WC_STATICW, SS_LEFT | SS_NOPREFIX};
    case ControlKind::Swatch:
    case ControlKind::Slider:
    case ControlKind::ColourPicker: break;
    }
    return {nullptr, 0};
}

}  // namespace

void frmSet::CreateControls() {
    buffer_ = std::make_unique<BackBuffer>();
    bandBrush_.reset(::CreateSolidBrush(kBandColour));
    for (const SettingsControl& c : SettingsControls()) {
        const RECT place = ToRect(c.place);
        const auto id = static_cast<int32_t>(c.id);
        if (PaintedByWindow(c.kind)) continue;
        if (c.kind == ControlKind::Slider) {
            auto slider = std::make_unique<ctlSlider>();
            slider->Create(hwnd(), id, place, dpi_);
            if (const auto range = SettingRange(c.key)) slider->SetRange(range->min, range->max);
            slider->SetStep(SliderStep(c.key));
            ctlSlider* raw = slider.get();
            slider->Change = [this, &c, raw] { Setting_Changed(c, raw->Value()); };
            controls_[id] = slider->hwnd();
            sliders_[id] = std::move(slider);
        } else if (c.kind == ControlKind::ColourPicker) {
            auto picker = std::make_unique<ColorPic>();
            picker->Create(hwnd(), id, POINT{c.place.left, c.place.top}, 9, 7, dpi_);
            ColorPic* raw = picker.get();
            picker->RGBChanged = [this, &c, raw] { Setting_Changed(c, raw->RGBColor()); };
            controls_[id] = picker->hwnd();
            pickers_[id] = std::move(picker);
        } else {
            const Creation creation = CreationOf(c);
            // With its caption in the record's language now: a second text would cost each
            // control another round of messages before the window is shown.
            const std::wstring text = CaptionOf(c);
            const RECT r = ScaleToDpi(place, dpi_);
            controls_[id] = ::CreateWindowExW(0, creation.windowClass, text.c_str(),
                                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | creation.style, r.left, r.top,
                                              r.right - r.left, r.bottom - r.top, hwnd(),
                                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                              ::GetModuleHandleW(nullptr), nullptr);
            if (c.kind == ControlKind::MenuButton)
                ::SetWindowSubclass(controls_[id], &frmSet::MenuButtonProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    // Everything stands at its place already; the captions are fitted as they are set.
    MakeFonts();
}

void frmSet::MakeFonts() {
    captionFonts_.Make(dpi_);
    if (tooltips_) ::SendMessageW(tooltips_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(captionFonts_.Normal()), FALSE);
}

void frmSet::AddTooltips() {
    if (tooltips_ || controls_.empty()) return;
    tooltips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      0, 0, 0, 0, hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
    MakeFonts();
    for (const SettingsControl& c : SettingsControls()) {
        if (!c.tooltip || c.kind == ControlKind::Slider) continue;
        const std::wstring tip = Text(c.tooltip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[c.id]);
        tool.lpszText = const_cast<wchar_t*>(tip.c_str());
        ::SendMessageW(tooltips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::wstring frmSet::CaptionOf(const SettingsControl& c) const {
    switch (c.kind) {
    case ControlKind::HotkeyLabel: return Widen(DisplayText(HotKey(host_->Settings(), c.action)));
    // Drawn buttons carry their tooltip as their accessible name.
    case ControlKind::PlayOption:
    case ControlKind::HotkeyButton: return Text(c.tooltip);
    default: return c.caption ? Text(c.caption) : std::wstring(c.fixedText.begin(), c.fixedText.end());
    }
}

void frmSet::ReleaseControls() {
    tooltips_.reset();
    sliders_.clear();
    pickers_.clear();
    controls_.clear();
    captionFonts_.Release();
    bandBrush_.reset();
    buffer_.reset();
    mnuMenu_.reset();
    mnuLanguage_ = nullptr;
}

void frmSet::LayOut() {
    MakeFonts();
    for (const SettingsControl& c : SettingsControls()) {
        if (PaintedByWindow(c.kind)) continue;
        const RECT place96 = ToRect(c.place);
        if (const auto slider = sliders_.find(c.id); slider != sliders_.end()) {
            slider->second->SetDpi(dpi_, place96);
        } else if (const auto picker = pickers_.find(c.id); picker != pickers_.end()) {
            picker->second->SetDpi(dpi_, POINT{c.place.left, c.place.top});
        } else {
            const RECT r = ScaleToDpi(place96, dpi_);
            ::MoveWindow(controls_[c.id], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            FitCaption(c);
        }
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void frmSet::Lang_LanguageChange() {
    if (controls_.empty()) return;
    for (const SettingsControl& c : SettingsControls()) {
        if (PaintedByWindow(c.kind)) continue;
        const HWND control = controls_[c.id];
        const std::wstring tip = Text(c.tooltip);
        switch (c.kind) {
        case ControlKind::Slider:
            sliders_[c.id]->SetCaption(Text(c.caption));
            sliders_[c.id]->SetTooltip(tip);
            break;
        case ControlKind::ColourPicker: pickers_[c.id]->SetAccessibleName(Text(c.caption)); break;
        default: ShowText(control, CaptionOf(c)); break;
        }
        FitCaption(c);
        if (tooltips_ && !tip.empty() && c.kind != ControlKind::Slider) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = hwnd();
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = const_cast<wchar_t*>(tip.c_str());
            ::SendMessageW(tooltips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    UpdateMenuCaptions();
}

void frmSet::ShowSettings() {
    if (controls_.empty()) return;
    const SettingsRecord& settings = host_->Settings();
    for (const SettingsControl& c : SettingsControls()) {
        if (PaintedByWindow(c.kind)) continue;
        const HWND control = controls_[c.id];
        switch (c.kind) {
        case ControlKind::CheckBox:
        case ControlKind::LockToggle:
            ::SendMessageW(control, BM_SETCHECK, settings.IsOn(c.key) ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::ColourOption:
            ::SendMessageW(control, BM_SETCHECK, settings.GetInt(c.key) == c.value ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::Slider: sliders_[c.id]->SetValue(settings.Get(c.key)); break;
        case ControlKind::ColourPicker:
            pickers_[c.id]->SetRGBColor(static_cast<uint32_t>(settings.GetInt(c.key)));
            break;
        case ControlKind::HotkeyLabel: ShowText(control, CaptionOf(c)); break;
        case ControlKind::PlayOption: ::InvalidateRect(control, nullptr, FALSE); break;
        default: break;
        }
    }
    // A full-screen halo has no ring of its own.
    ::EnableWindow(Control("chkRing"), !settings.IsOn(SettingKey::HaloFullScreen));
    UpdateMenuCaptions();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    RefreshDialogs();
}

void frmSet::FitCaption(const SettingsControl& c) {
    if (c.kind == ControlKind::Slider || c.kind == ControlKind::ColourPicker) return;
    // A check box or option loses its box to the text, a button its frame.
    const bool box = c.kind == ControlKind::CheckBox || c.kind == ControlKind::ColourOption;
    captionFonts_.Fit(controls_[c.id], c.place.Height() > 20, box ? ScaleToDpi(20, dpi_) : 0,
                      c.kind == ControlKind::Button ? ScaleToDpi(4, dpi_) : 0,
                      c.kind == ControlKind::CheckBox && OnBand(c.place));
}

HBRUSH frmSet::ControlBackground(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    // Back at 96 dpi to ask the table whether it stands on a band.
    const Rect at96{r.left * 96 / static_cast<int>(dpi_), r.top * 96 / static_cast<int>(dpi_),
                    r.right * 96 / static_cast<int>(dpi_), r.bottom * 96 / static_cast<int>(dpi_)};
    return OnBand(at96) ? bandBrush_.get() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

RECT frmSet::PreviewArea() const { return ScaleToDpi(RECT{24, 150, 50, 192}, dpi_); }

void frmSet::InvalidatePreviews() {
    // The strip left of the groups' controls, from the first group to the last.
    const RECT strip = ScaleToDpi(RECT{0, kBandTops[0] + kBandHeight, 84, kBandTops[4]}, dpi_);
    ::InvalidateRect(hwnd(), &strip, FALSE);
}

void frmSet::PaintContent(HDC dc, const RECT& area) {
    FillBox(dc, buffer_->Tools(), area, RGB(255, 255, 255));
    const GradShapeStyle grey{kBandColour, kBandColour, kGradTopToBottom, 100};
    for (size_t band = 0; band < std::size(kBandTops); ++band) {
        // One pixel above each band, as thin as a pixel at every DPI.
        const int y = ScaleToDpi(kBandTops[band], dpi_) - 1;
        FillBox(dc, buffer_->Tools(), RECT{0, y, area.right, y + 1}, kBandLineColour);
        PaintGradShape(dc, buffer_->Tools(), BandPlace(band, dpi_), grey);
    }
    PaintPreviews(dc);
    PaintSwatches(dc);
}

RECT frmSet::PlaceOf(std::string_view name) const {
    const SettingsControl* c = FindSettingsControl(name);
    return c ? ScaleToDpi(ToRect(c->place), dpi_) : RECT{};
}

void frmSet::ClickSwatch(POINT at) {
    for (const SettingsControl& c : SettingsControls()) {
        const RECT r = PlaceOf(c.name);
        if (c.kind != ControlKind::Swatch || !::PtInRect(&r, at)) continue;
        for (const auto& [pickerId, picker] : pickers_)
            if (FindSettingsControl(pickerId)->key == c.key) ::SetFocus(picker->hwnd());
    }
}

void frmSet::LeaveControlsOnePaint() {
    // Validating drops the frame and erase each control was given; the paint comes back alone.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
    for (const auto& [id, control] : controls_) ::InvalidateRect(control, nullptr, FALSE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void frmSet::PaintPreviews(HDC dc) {
    const SettingsRecord& settings = host_->Settings();
    GdiTools& tools = buffer_->Tools();
    const auto scaled = [this](double v) { return v * dpi_ / 96.0; };
    const auto box = [&](double l, double t, double r, double b) {
        return ShapeRect{scaled(l), scaled(t), scaled(r - l), scaled(b - t)};
    };
    const int pen = std::max(1, ScaleToDpi(3, dpi_));

    // Click indicator: a double ring.
    DrawEllipse(dc, tools, box(20, 84, 52, 116), RGB(0, 0, 255), pen, false);
    DrawEllipse(dc, tools, box(28, 92, 44, 108), RGB(0, 0, 255), pen, false);

    // Mouse image: the picture in the chosen colour.
    DrawMouseLayer(dc, PreviewArea(), 0, settings.IsOn(SettingKey::MouseImageColor));

    // Halo: a disc in its colour, hollow when ring shaped.
    const COLORREF halo = static_cast<COLORREF>(settings.GetInt(SettingKey::HaloColor));
    FillEllipse(dc, tools, box(22, 224, 64, 266), halo);
    if (settings.IsOn(SettingKey::HaloRing) && !settings.IsOn(SettingKey::HaloFullScreen))
        FillEllipse(dc, tools, box(33, 235, 53, 255), RGB(255, 255, 255));

    // Cross hair: four short bands in its colour around a gap, each with its centre line.
    const CrossHairValues cross = CrossHairValuesOf(settings);
    const int thick = ScaleToDpi(5, dpi_), line = std::max(1, ScaleToDpi(1, dpi_));
    const int cx = ScaleToDpi(27, dpi_), cy = ScaleToDpi(317, dpi_);
    const int gap = ScaleToDpi(5, dpi_), arm = ScaleToDpi(15, dpi_);
    for (int side = 0; side < 4; ++side) {
        const bool horizontal = side < 2;
        const int sign = side % 2 == 0 ? -1 : 1;
        const int from = sign * gap, to = sign * (gap + arm);
        const int a = std::min(from, to), b = std::max(from, to);
        const RECT bar = horizontal ? RECT{cx + a, cy - thick / 2, cx + b, cy - thick / 2 + thick}
                                    : RECT{cx - thick / 2, cy + a, cx - thick / 2 + thick, cy + b};
        FillBox(dc, tools, bar, cross.colour);
        const RECT centre = horizontal ? RECT{bar.left, cy - line / 2, bar.right, cy - line / 2 + line}
                                       : RECT{cx - line / 2, bar.top, cx - line / 2 + line, bar.bottom};
        FillBox(dc, tools, centre, cross.lineColour);
    }
}
