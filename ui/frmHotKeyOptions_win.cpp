#include "ui/frmHotKeyOptions_win.h"

#include "base/Text_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/StringTable.h"

namespace {

constexpr int kMargin = 16, kWidth = 400, kCaptionHeight = 20, kButtonWidth = 96, kButtonHeight = 28;
constexpr int kRowTop = kMargin + kCaptionHeight + 8;
constexpr int kHeight = kRowTop + kShortcutRowHeight + 24 + kButtonHeight + kMargin;

// The caption of the switch the shortcut belongs to, as its group on the settings window.
int32_t ActionCaption(HotKeyAction action) {
    switch (action) {
    case HotKeyAction::Blink: return 3;
    case HotKeyAction::Pause: return 4;
    case HotKeyAction::Buttons: return 10;
    case HotKeyAction::Picture: return 14;
    case HotKeyAction::Spot: return 15;
    case HotKeyAction::CrossHair: return 18;
    case HotKeyAction::KeyBoard: return 20;
    case HotKeyAction::Preset: return strings::kNextPresetId;
    }
    return 0;
}

}  // namespace

Size frmHotKeyOptions::ClientSize96() { return {kWidth, kHeight}; }

void frmHotKeyOptions::CreateControls() {
    AddControl(lblAction, L"Static", SS_LEFT | SS_NOPREFIX, {kMargin, kMargin, kWidth - kMargin, kMargin + kCaptionHeight},
               true);
    AddShortcutRow(combos_, lblPlus1, lblPlus2, kMargin, kRowTop, kWidth - kMargin,
                   [this](int id, const wchar_t* windowClass, DWORD style, const Rect& place96) {
                       AddControl(id, windowClass, style, place96);
                   });
    AddControl(cmdClose, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight, kWidth - kMargin,
                kHeight - kMargin});
}

void frmHotKeyOptions::Lang_LanguageChange() {
    ::SetWindowTextW(DialogHwnd(), Text(129).c_str());
    SetText(lblAction, Text(ActionCaption(combos_.Action())));
    SetText(lblPlus1, L"+");
    SetText(lblPlus2, L"+");
    SetText(cmdClose, Text(43));
    combos_.Show(*this);
    UpdateLabel();
}

void frmHotKeyOptions::ShowForm(HotKeyAction action, HWND shortcutLabel, HWND owner) {
    combos_.SetAction(action);
    shortcutLabel_ = shortcutLabel;
    // A first opening fills everything through the language handler.
    if (DialogHwnd()) {
        SetText(lblAction, Text(ActionCaption(action)));
        Refresh();
    }
    ShowDialog(owner);
}

void frmHotKeyOptions::Refresh() {
    if (!DialogHwnd()) return;
    combos_.Show(*this);
    UpdateLabel();
}

void frmHotKeyOptions::UpdateLabel() {
    if (shortcutLabel_)
        ::SetWindowTextW(shortcutLabel_, Widen(DisplayText(HotKey(Host().Settings(), combos_.Action()))).c_str());
}

LRESULT frmHotKeyOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == cmdClose && HIWORD(wParam) == BN_CLICKED) {
            HideDialog();
            return 0;
        }
        if (combos_.Command(*this, id, HIWORD(wParam))) {
            UpdateLabel();
            return 0;
        }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
