#include "ui/frmClickOptions_win.h"

#include "settings/SettingsRecord.h"
#include "ui/Dialogs_win.h"

namespace {

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
POINT TopLeft(const Rect& r) { return {r.left, r.top}; }

std::size_t Index(ClickPart part) { return static_cast<std::size_t>(part); }

}  // namespace

frmClickOptions& ClickOptionsWindow() {
    static frmClickOptions window;
    return window;
}

void frmClickOptions::CreateControls() {
    const HWND window = DialogHwnd();
    // Created in table order, which is the tab order.
    for (const ClickOptionControl& c : ClickOptionControls()) {
        switch (c.kind) {
        case ClickOptionKind::Label: AddControl(c.id, L"Static", SS_LEFT | SS_NOPREFIX, c.place, true); break;
        case ClickOptionKind::CheckBox:
            // Two lines where a translation needs them.
            AddControl(c.id, L"Button", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, c.place);
            break;
        case ClickOptionKind::DefaultButton:
        case ClickOptionKind::CloseButton: AddControl(c.id, L"Button", BS_PUSHBUTTON | WS_TABSTOP, c.place); break;
        case ClickOptionKind::Picker: {
            ColorPic& picker = pickers_[Index(c.part)];
            picker.Create(window, c.id, TopLeft(c.place), kClickOptionsCellWidth, kClickOptionsCellHeight, Dpi());
            picker.RGBChanged = [this, &picker, key = c.key] { Host().ApplySetting(key, picker.RGBColor()); };
            break;
        }
        case ClickOptionKind::Slider: {
            ctlSlider& slider = sliders_[Index(c.part)];
            slider.Create(window, c.id, ToRECT(c.place), Dpi());
            if (const auto range = SettingRange(c.key)) slider.SetRange(range->min, range->max);
            slider.Change = [this, &slider, key = c.key] { Host().ApplySetting(key, slider.Value()); };
            break;
        }
        }
    }
    SetAll();
}

void frmClickOptions::DpiChanged() {
    for (const ClickOptionControl& c : ClickOptionControls()) {
        if (c.kind == ClickOptionKind::Picker) pickers_[Index(c.part)].SetDpi(Dpi(), TopLeft(c.place));
        if (c.kind == ClickOptionKind::Slider) sliders_[Index(c.part)].SetDpi(Dpi(), ToRECT(c.place));
    }
}

void frmClickOptions::Lang_LanguageChange() {
    if (!DialogHwnd()) return;
    ::SetWindowTextW(DialogHwnd(), Text(kClickOptionsTitle).c_str());
    for (const ClickOptionControl& c : ClickOptionControls()) {
        switch (c.kind) {
        case ClickOptionKind::Picker: pickers_[Index(c.part)].SetAccessibleName(Text(c.caption)); break;
        case ClickOptionKind::Slider: sliders_[Index(c.part)].SetCaption(Text(c.caption)); break;
        default: SetText(c.id, Text(c.caption)); break;
        }
    }
}

void frmClickOptions::SetAll() {
    if (!DialogHwnd()) return;
    const SettingsRecord& settings = Host().Settings();
    for (const ClickOptionControl& c : ClickOptionControls()) {
        if (!c.hasKey) continue;
        switch (c.kind) {
        case ClickOptionKind::Picker:
            pickers_[Index(c.part)].SetRGBColor(static_cast<uint32_t>(settings.GetInt(c.key)));
            break;
        case ClickOptionKind::Slider: sliders_[Index(c.part)].SetValue(settings.Get(c.key)); break;
        case ClickOptionKind::CheckBox:
            ::SendMessageW(Control(c.id), BM_SETCHECK, settings.IsOn(c.key) ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        default: break;
        }
    }
}

void frmClickOptions::cmdDefault_Click() {
    if (::MessageBoxW(DialogHwnd(), Text(kResetQuestionText).c_str(), Text(kResetQuestionTitle).c_str(), MB_YESNO) !=
        IDYES)
        return;
    for (const ClickOptionValue& v : ClickOptionDefaults()) Host().ApplySetting(v.key, v.value);
    SetAll();
}

HWND frmClickOptions::ControlNamed(std::string_view name) const {
    const ClickOptionControl* c = FindClickOption(name);
    if (!c) return nullptr;
    if (c->kind == ClickOptionKind::Picker) return pickers_[Index(c->part)].hwnd();
    if (c->kind == ClickOptionKind::Slider) return sliders_[Index(c->part)].hwnd();
    return Control(c->id);
}

void frmClickOptions::OnCommand(int id, int notification) {
    const ClickOptionControl* c = FindClickOption(id);
    if (!c || notification != BN_CLICKED) return;
    switch (c->kind) {
    case ClickOptionKind::CheckBox:
        Host().ApplySetting(c->key, ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        break;
    case ClickOptionKind::DefaultButton: cmdDefault_Click(); break;
    case ClickOptionKind::CloseButton: HideDialog(); break;
    default: break;
    }
}

LRESULT frmClickOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}

void ShowClickOptions(SettingsHost& host) {
    frmClickOptions& window = ClickOptionsWindow();
    window.SetHost(host);
    const bool loaded = window.DialogHwnd() != nullptr;
    window.ShowDialog(nullptr);
    // A window shown again shows what changed while it was hidden (a reset, a new file).
    if (loaded) window.SetAll();
}

void RefreshClickOptions() { ClickOptionsWindow().SetAll(); }
void HideClickOptions() { ClickOptionsWindow().HideDialog(); }
void UnloadClickOptions() { ClickOptionsWindow().UnloadDialog(); }
