#include "ui/frmOptions_win.h"

#include "ui/frmSet_win.h"

namespace {

constexpr int kMargin = 16, kIndent = 28, kWidth = 440, kHeadingHeight = 20, kLabelHeight = 20;
constexpr int kButtonWidth = 96, kButtonHeight = 28, kTraySize = 48;
// Top to bottom: the shortcuts heading, two shortcuts (label over row), the behaviour
// heading, the picture beside the box, the button.
constexpr int kBlinkLabelTop = kMargin + kHeadingHeight + 8;
constexpr int kBlinkRowTop = kBlinkLabelTop + kLabelHeight + 2;
constexpr int kPauseLabelTop = kBlinkRowTop + kShortcutRowHeight + 12;
constexpr int kPauseRowTop = kPauseLabelTop + kLabelHeight + 2;
constexpr int kProgramTop = kPauseRowTop + kShortcutRowHeight + 20;
constexpr int kTrayTop = kProgramTop + kHeadingHeight + 8;
constexpr int kTrayBoxHeight = 80;
constexpr int kHeight = kTrayTop + kTrayBoxHeight + 16 + kButtonHeight + kMargin;

}  // namespace

Size frmOptions::ClientSize96() { return {kWidth, kHeight}; }

void frmOptions::CreateControls() {
    const auto add = [this](int id, const wchar_t* windowClass, DWORD style, const Rect& place96) {
        AddControl(id, windowClass, style, place96);
    };
    const int right = kWidth - kMargin;
    AddControl(lblShortcuts, L"Static", SS_LEFT | SS_NOPREFIX, {kMargin, kMargin, right, kMargin + kHeadingHeight}, true);
    AddControl(lblBlink, L"Static", SS_LEFT | SS_NOPREFIX, {kIndent, kBlinkLabelTop, right, kBlinkLabelTop + kLabelHeight});
    AddShortcutRow(blink_, lblBlinkPlus1, lblBlinkPlus2, kIndent, kBlinkRowTop, right, add);
    AddControl(lblPause, L"Static", SS_LEFT | SS_NOPREFIX, {kIndent, kPauseLabelTop, right, kPauseLabelTop + kLabelHeight});
    AddShortcutRow(pause_, lblPausePlus1, lblPausePlus2, kIndent, kPauseRowTop, right, add);
    AddControl(lblProgram, L"Static", SS_LEFT | SS_NOPREFIX, {kMargin, kProgramTop, right, kProgramTop + kHeadingHeight},
               true);
    AddControl(imgTray, L"Static", SS_OWNERDRAW, {kIndent, kTrayTop + 4, kIndent + kTraySize, kTrayTop + 4 + kTraySize});
    AddControl(chkShowInTray, L"Button", BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP | WS_GROUP,
               {kIndent + kTraySize + 12, kTrayTop, right, kTrayTop + kTrayBoxHeight});
    AddControl(cmdClose, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {right - kButtonWidth, kHeight - kMargin - kButtonHeight, right, kHeight - kMargin});
    blink_.SetAction(HotKeyAction::Blink);
    pause_.SetAction(HotKeyAction::Pause);
    Refresh();
}

void frmOptions::Lang_LanguageChange() {
    ::SetWindowTextW(DialogHwnd(), Text(103).c_str());
    SetText(lblShortcuts, Text(104));
    SetText(lblBlink, Text(3));
    SetText(lblPause, Text(4));
    SetText(lblProgram, Text(107));
    for (const int plus : {lblBlinkPlus1, lblBlinkPlus2, lblPausePlus1, lblPausePlus2}) SetText(plus, L"+");
    // The picture's text is never drawn; screen readers read it.
    SetText(imgTray, L"Glimmora");
    SetText(chkShowInTray, Text(106));
    SetText(cmdClose, Text(43));
    Refresh();
}

void frmOptions::Refresh() {
    if (!DialogHwnd()) return;
    blink_.Show(*this);
    pause_.Show(*this);
    // Running on in the tray is the opposite of ending with the settings window.
    ::SendMessageW(Control(chkShowInTray), BM_SETCHECK,
                   Host().Settings().IsOn(SettingKey::Taskbar) ? BST_UNCHECKED : BST_CHECKED, 0);
}

void frmOptions::PaintTray(const DRAWITEMSTRUCT& item) const {
    // A corner of the task bar with the program's icon in the notification area.
    const RECT& r = item.rcItem;
    const int band = (r.bottom - r.top) / 2;
    ::FillRect(item.hDC, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    RECT bar{r.left, r.bottom - band, r.right, r.bottom};
    const handles::Brush barBrush(::CreateSolidBrush(RGB(64, 72, 88)));
    ::FillRect(item.hDC, &bar, barBrush.get());
    const int icon = band * 2 / 3;
    const int x = r.right - icon - (band - icon) / 2, y = bar.top + (band - icon) / 2;
    if (const HICON program = frmSet::ClassIcon()) {
        ::DrawIconEx(item.hDC, x, y, program, icon, icon, 0, nullptr, DI_NORMAL);
    } else {
        RECT mark{x, y, x + icon, y + icon};
        const handles::Brush markBrush(::CreateSolidBrush(RGB(255, 200, 0)));
        ::FillRect(item.hDC, &mark, markBrush.get());
    }
}

LRESULT frmOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && wParam == static_cast<WPARAM>(imgTray)) {
        PaintTray(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (id == cmdClose && notification == BN_CLICKED) {
            HideDialog();
            return 0;
        }
        if (id == chkShowInTray && notification == BN_CLICKED) {
            const bool ticked = ::SendMessageW(Control(chkShowInTray), BM_GETCHECK, 0, 0) == BST_CHECKED;
            Host().ApplySetting(SettingKey::Taskbar, ticked ? 0 : 1);
            return 0;
        }
        if (blink_.Command(*this, id, notification) || pause_.Command(*this, id, notification)) return 0;
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
