#include "ui/frmPresetName_win.h"

#include "base/Text_win.h"
#include "lang/StringTable.h"

namespace {

constexpr int kMargin = 16, kWidth = 360, kButtonWidth = 96, kButtonHeight = 28;
constexpr int kEditTop = kMargin + 24, kButtonTop = kEditTop + 26 + 16;
constexpr int kHeight = kButtonTop + kButtonHeight + kMargin;

}  // namespace

frmPresetName& PresetNameWindow() {
    static frmPresetName window;
    return window;
}

void ShowPresetName(SettingsHost& host, HWND owner) {
    frmPresetName& window = PresetNameWindow();
    window.SetHost(host);
    window.ShowDialog(owner);
    ::SetWindowTextW(window.Control(frmPresetName::txtName), L"");
    ::SetFocus(window.Control(frmPresetName::txtName));
}

Size frmPresetName::ClientSize96() { return {kWidth, kHeight}; }

void frmPresetName::CreateControls() {
    const int right = kWidth - kMargin;
    AddControl(lblName, L"Static", SS_LEFT | SS_NOPREFIX, {kMargin, kMargin, right, kMargin + 20});
    AddControl(txtName, L"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {kMargin, kEditTop, right, kEditTop + 26});
    ::SendMessageW(Control(txtName), EM_LIMITTEXT, kLongestPresetName, 0);
    AddControl(cmdSave, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP,
               {right - 2 * kButtonWidth - 8, kButtonTop, right - kButtonWidth - 8, kButtonTop + kButtonHeight});
    AddControl(cmdCancel, L"Button", BS_PUSHBUTTON | WS_TABSTOP,
               {right - kButtonWidth, kButtonTop, right, kButtonTop + kButtonHeight});
}

void frmPresetName::Lang_LanguageChange() {
    ::SetWindowTextW(DialogHwnd(), Text(strings::kSaveAsPresetTitleId).c_str());
    SetText(lblName, Text(strings::kPresetNameCaptionId));
    SetText(cmdSave, Text(strings::kSaveId));
    SetText(cmdCancel, Text(strings::kCancelId));
}

void frmPresetName::cmdSave_Click() {
    if (!Host().SaveAsPreset(Narrow(WindowText(Control(txtName))))) {
        ::MessageBeep(MB_ICONWARNING);
        ::SetFocus(Control(txtName));
        return;
    }
    HideDialog();
}

LRESULT frmPresetName::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Return in the name arrives as IDOK through the dialog navigation.
        if (LOWORD(wParam) == cmdSave || LOWORD(wParam) == IDOK) {
            cmdSave_Click();
            return 0;
        }
        if (LOWORD(wParam) == cmdCancel) {
            HideDialog();
            return 0;
        }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
