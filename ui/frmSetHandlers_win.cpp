// What the settings window's controls do: each hands its value to the program, which
// stores it and applies it to the overlay it drives; the window then shows what changed.
#include "ui/frmSet_win.h"

#include "controls/ControlFont_win.h"
#include "ui/Dialogs_win.h"
#include "base/BackBuffer_win.h"

namespace {

// The drawn buttons' colours: light, with a blue accent for the chosen and pressed state.
constexpr COLORREF kFace = RGB(240, 240, 240);
constexpr COLORREF kFaceChosen = RGB(204, 228, 247);
constexpr COLORREF kBorder = RGB(173, 173, 173);
constexpr COLORREF kBorderChosen = RGB(0, 120, 215);
constexpr COLORREF kGlyph = RGB(64, 64, 64);

}  // namespace

void frmSet::OnCommand(int id, int notification) {
    const SettingsControl* c = FindSettingsControl(id);
    if (!c) return;
    const HWND control = Control(c->name);
    switch (c->kind) {
    case ControlKind::CheckBox:
    case ControlKind::LockToggle:
        if (notification == BN_CLICKED)
            Setting_Changed(*c, ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        break;
    case ControlKind::ColourOption:
        if (notification == BN_CLICKED) Setting_Changed(*c, c->value);
        break;
    case ControlKind::PlayOption:
        if (notification == BN_CLICKED) c->value == 0 ? optPlay_Click() : optPause_Click();
        break;
    case ControlKind::MenuButton:
        if (notification == BN_CLICKED) ShowMenu(false);
        break;
    case ControlKind::Button:
        if (notification != BN_CLICKED) break;
        if (c->name == "cmdClickOptions") ShowClickOptions(*host_);
        if (c->name == "cmdKeyOptions") ShowKeyBoardOptions(*host_, hwnd());
        break;
    case ControlKind::HotkeyButton: {
        if (notification != BN_CLICKED) break;
        // The label of the same group shows the shortcut.
        for (const SettingsControl& label : SettingsControls())
            if (label.kind == ControlKind::HotkeyLabel && label.action == c->action)
                ShowHotKeyOptions(*host_, c->action, hwnd(), Control(label.name));
        break;
    }
    default: break;
    }
}

void frmSet::Setting_Changed(const SettingsControl& control, double value) {
    host_->ApplySetting(control.key, value);
    // Only what shows this value is painted again: a slider drag repaints the slider and
    // the overlay, nothing else of the window.
    switch (control.key) {
    case SettingKey::HaloFullScreen:
        ::EnableWindow(Control("chkRing"), value == 0);
        InvalidatePreviews();
        break;
    case SettingKey::HaloColor:
    case SettingKey::CrosshairColor: {
        const RECT swatch = PlaceOf(control.key == SettingKey::HaloColor ? "lblSpot" : "lblCrossHair");
        ::InvalidateRect(hwnd(), &swatch, FALSE);
        InvalidatePreviews();
        break;
    }
    case SettingKey::HaloRing:
    case SettingKey::MouseImageColor: InvalidatePreviews(); break;
    default: break;
    }
}

void frmSet::optPlay_Click() {
    if (Paused()) host_->SetPaused(false);
    ShowSettings();
}

void frmSet::optPause_Click() {
    if (!Paused()) host_->SetPaused(true);
    ShowSettings();
}

void frmSet::PaintSwatches(HDC dc) {
    for (const SettingsControl& c : SettingsControls()) {
        if (c.kind != ControlKind::Swatch) continue;
        const RECT r = PlaceOf(c.name);
        FillBox(dc, buffer_->Tools(), r, static_cast<COLORREF>(host_->Settings().GetInt(c.key)));
        ::FrameRect(dc, &r, buffer_->Tools().Brush(kBorder));
    }
}

void frmSet::DrawOwnerButton(const DRAWITEMSTRUCT& item) {
    const SettingsControl* c = FindSettingsControl(static_cast<int32_t>(item.CtlID));
    if (!c) return;
    const HDC dc = item.hDC;
    const RECT r = item.rcItem;
    GdiTools& tools = buffer_->Tools();
    const bool chosen = c->kind == ControlKind::PlayOption && (c->value == 1) == Paused();
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillBox(dc, tools, r, chosen || pressed ? kFaceChosen : kFace);
    ::FrameRect(dc, &r, tools.Brush(chosen || pressed ? kBorderChosen : kBorder));

    const int w = r.right - r.left, h = r.bottom - r.top;
    const int cx = r.left + w / 2, cy = r.top + h / 2;
    const int unit = std::max(1, ScaleToDpi(1, dpi_));
    switch (c->kind) {
    case ControlKind::PlayOption:
        if (c->value == 0) {
            // A play triangle.
            const POINT triangle[3]{{cx - 5 * unit, cy - 7 * unit}, {cx - 5 * unit, cy + 7 * unit}, {cx + 7 * unit, cy}};
            handles::SelectObjectGuard brush(dc, tools.Brush(chosen ? RGB(16, 124, 16) : kGlyph));
            handles::SelectObjectGuard pen(dc, tools.Pen(chosen ? RGB(16, 124, 16) : kGlyph, 1));
            ::Polygon(dc, triangle, 3);
        } else {
            // Two pause bars.
            const COLORREF colour = chosen ? RGB(196, 43, 28) : kGlyph;
            FillBox(dc, tools, RECT{cx - 6 * unit, cy - 7 * unit, cx - 2 * unit, cy + 7 * unit}, colour);
            FillBox(dc, tools, RECT{cx + 2 * unit, cy - 7 * unit, cx + 6 * unit, cy + 7 * unit}, colour);
        }
        break;
    case ControlKind::MenuButton: {
        // Three lines before the caption.
        wchar_t caption[64] = {};
        ::GetWindowTextW(item.hwndItem, caption, 64);
        const int left = r.left + 12 * unit;
        for (int i = -1; i <= 1; ++i)
            FillBox(dc, tools, RECT{left, cy + i * 5 * unit - unit, left + 14 * unit, cy + i * 5 * unit + unit}, kGlyph);
        RECT text = r;
        text.left = left + 14 * unit;
        DrawText(dc, captionFonts_.Normal(), caption, text, RGB(0, 0, 0), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        break;
    }
    case ControlKind::HotkeyButton: {
        // A small keyboard: a frame with two rows of keys and a space bar.
        const RECT board{cx - 10 * unit, cy - 6 * unit, cx + 10 * unit, cy + 6 * unit};
        ::FrameRect(dc, &board, tools.Brush(kGlyph));
        for (int row = 0; row < 2; ++row)
            for (int key = 0; key < 5; ++key) {
                const int x = board.left + 2 * unit + key * 3 * unit + (row ? unit : 0);
                const int y = board.top + 2 * unit + row * 3 * unit;
                FillBox(dc, tools, RECT{x, y, x + 2 * unit, y + 2 * unit}, kGlyph);
            }
        FillBox(dc, tools, RECT{cx - 5 * unit, board.bottom - 3 * unit, cx + 5 * unit, board.bottom - 2 * unit},
                kGlyph);
        break;
    }
    default: break;
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        ::InflateRect(&focus, -3 * unit, -3 * unit);
        ::DrawFocusRect(dc, &focus);
    }
}
