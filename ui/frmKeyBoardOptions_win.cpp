#include "ui/frmKeyBoardOptions_win.h"

#include "keyboard/KeyPoller.h"

namespace {

struct KeyClassBox {
    int id;
    SettingKey key;
    int32_t caption;
    bool indented;  // a restriction of the box above it
};

// In the dialog's order, top to bottom.
constexpr KeyClassBox kBoxes[] = {
    {frmKeyBoardOptions::chkFunction, SettingKey::ListFunctionKeys, 37, false},
    {frmKeyBoardOptions::chkSpecial, SettingKey::ListSpecialKeys, 38, false},
    {frmKeyBoardOptions::chkInput, SettingKey::ListInputKeys, 39, false},
    {frmKeyBoardOptions::chkCursor, SettingKey::ListCursorKeys, 40, false},
    {frmKeyBoardOptions::chkCharacter, SettingKey::ListCharacterKeys, 41, false},
    {frmKeyBoardOptions::chkCharacterSpecial, SettingKey::ListCharacterSpecialKeys, 42, true},
    {frmKeyBoardOptions::chkMouse, SettingKey::ListMouseButtons, 102, false},
};

constexpr int kMargin = 16, kWidth = 520, kRow = 28, kBoxHeight = 24, kIndent = 24;
constexpr int kButtonWidth = 96, kButtonHeight = 28;
constexpr int kBoxesBottom = kMargin + static_cast<int>(std::size(kBoxes)) * kRow;
constexpr int kHeight = kBoxesBottom + 12 + kButtonHeight + kMargin;

}  // namespace

Size frmKeyBoardOptions::ClientSize96() { return {kWidth, kHeight}; }

void frmKeyBoardOptions::CreateControls() {
    int top = kMargin;
    for (const KeyClassBox& box : kBoxes) {
        const int left = kMargin + (box.indented ? kIndent : 0);
        AddControl(box.id, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP | (box.id == chkFunction ? WS_GROUP : 0),
                   {left, top, kWidth - kMargin, top + kBoxHeight});
        top += kRow;
    }
    AddControl(cmdClose, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight, kWidth - kMargin,
                kHeight - kMargin});
    Refresh();
}

void frmKeyBoardOptions::Lang_LanguageChange() {
    ::SetWindowTextW(DialogHwnd(), Text(36).c_str());
    for (const KeyClassBox& box : kBoxes) SetText(box.id, Text(box.caption));
    SetText(cmdClose, Text(43));
}

void frmKeyBoardOptions::Refresh() {
    if (!DialogHwnd()) return;
    const SettingsRecord& settings = Host().Settings();
    for (const KeyClassBox& box : kBoxes)
        ::SendMessageW(Control(box.id), BM_SETCHECK, settings.IsOn(box.key) ? BST_CHECKED : BST_UNCHECKED, 0);
    ::EnableWindow(Control(chkCharacterSpecial), settings.IsOn(SettingKey::ListCharacterKeys));
}

bool frmKeyBoardOptions::AnySelected() const {
    return AnyKeyClassSelected(KeyPollSettingsFrom(Host().Settings()));
}

LRESULT frmKeyBoardOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == cmdClose) {
            HideDialog();
            return 0;
        }
        for (const KeyClassBox& box : kBoxes) {
            if (box.id != id) continue;
            const bool ticked = ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
            // The program re-arranges the keyboard display for every class setting.
            Host().ApplySetting(box.key, ticked ? 1 : 0);
            if (id == chkCharacter) ::EnableWindow(Control(chkCharacterSpecial), ticked);
            return 0;
        }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
