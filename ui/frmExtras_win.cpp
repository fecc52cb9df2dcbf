#include "ui/frmExtras_win.h"

#include "base/Text_win.h"
#include "keyboard/KeyNames_win.h"
#include "lang/StringTable.h"
#include "ui/Dialogs_win.h"

#include <algorithm>
#include <utility>

namespace {

// The switches and the sliders on the left, the private programs on the right.
constexpr int kMargin = 16, kLeftWidth = 460, kWidth = 760, kRowHeight = 36, kButtonWidth = 96, kButtonHeight = 28;
constexpr int kSliderTop = kMargin + static_cast<int>(frmExtras::kSwitches.size()) * kRowHeight + 4;
constexpr int kSliderHeight = 37, kSliderWidth = (kLeftWidth - 3 * kMargin) / 2;
constexpr int kListLeft = kLeftWidth, kListRight = kWidth - kMargin, kListBottom = 300;
constexpr int kShortcutTop = kListBottom + 120, kShortcutBottom = kShortcutTop + 24 + kButtonHeight;
constexpr int kHeight = std::max(kSliderTop + kSliderHeight, kShortcutBottom) + 16 + kButtonHeight + kMargin;

std::wstring ListItemText(HWND list, int index) {
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(::SendMessageW(list, LB_GETTEXTLEN, index, 0), 0)), L'\0');
    text.resize(static_cast<size_t>(std::max<LRESULT>(
        ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())), 0)));
    return text;
}

RECT SliderPlace(std::size_t index) {
    const int left = kMargin + static_cast<int>(index) * (kSliderWidth + kMargin);
    return {left, kSliderTop, left + kSliderWidth, kSliderTop + kSliderHeight};
}

}  // namespace

Size frmExtras::ClientSize96() { return {kWidth, kHeight}; }

int32_t frmExtras::SwitchCaption(std::size_t index) {
    return kSwitches[index] == SettingKey::PresetsInMenus ? strings::kPresetsInMenusId
                                                          : strings::kFirstExtraSwitchId + static_cast<int32_t>(index);
}

void frmExtras::CreateControls() {
    const int right = kWidth - kMargin;
    for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i) {
        const int top = kMargin + i * kRowHeight;
        // Two lines fit each row: the longer languages wrap.
        AddControl(chkFirst + i, L"Button", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                   {kMargin, top, kLeftWidth - kMargin, top + kRowHeight - 4});
    }
    AddControl(lblPrivate, L"Static", SS_LEFT | SS_NOPREFIX, {kListLeft, kMargin, kListRight, kMargin + 34});
    AddControl(lstPrivate, L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
               {kListLeft, kMargin + 38, kListRight, kListBottom});
    AddControl(txtProgram, L"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
               {kListLeft, kListBottom + 8, kListRight - kButtonWidth - 8, kListBottom + 8 + kButtonHeight});
    AddControl(cmdAdd, L"Button", BS_PUSHBUTTON | WS_TABSTOP,
               {kListRight - kButtonWidth, kListBottom + 8, kListRight, kListBottom + 8 + kButtonHeight});
    AddControl(cmdAddLast, L"Button", BS_PUSHBUTTON | WS_TABSTOP,
               {kListLeft, kListBottom + 44, kListRight, kListBottom + 44 + kButtonHeight});
    AddControl(cmdRemove, L"Button", BS_PUSHBUTTON | WS_TABSTOP,
               {kListLeft, kListBottom + 80, kListRight, kListBottom + 80 + kButtonHeight});
    AddControl(lblPresetShortcut, L"Static", SS_LEFT | SS_NOPREFIX, {kListLeft, kShortcutTop, kListRight, kShortcutTop + 20});
    AddControl(lblPresetKeys, L"Static", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE,
               {kListLeft, kShortcutBottom - kButtonHeight, kListRight - kButtonWidth - 8, kShortcutBottom});
    AddControl(cmdPresetShortcut, L"Button", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {kListRight - kButtonWidth, kShortcutBottom - kButtonHeight, kListRight, kShortcutBottom});
    for (std::size_t i = 0; i < kSliders.size(); ++i) {
        ctlSlider& slider = sliders_[i];
        slider.Create(DialogHwnd(), sldFirst + static_cast<int>(i), SliderPlace(i), Dpi());
        if (const auto range = SettingRange(kSliders[i])) slider.SetRange(range->min, range->max);
        slider.Change = [this, &slider, key = kSliders[i]] { Host().ApplySetting(key, slider.Value()); };
    }
    AddControl(cmdClose, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {right - kButtonWidth, kHeight - kMargin - kButtonHeight, right, kHeight - kMargin});
    Refresh();
}

void frmExtras::Lang_LanguageChange() {
    ::SetWindowTextW(DialogHwnd(), Text(strings::kExtrasTitleId).c_str());
    for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i)
        SetText(chkFirst + i, Text(SwitchCaption(static_cast<std::size_t>(i))));
    for (std::size_t i = 0; i < kSliders.size(); ++i)
        sliders_[i].SetCaption(Text(strings::kBigPointerScaleId + static_cast<int32_t>(i)));
    for (const auto& [id, text] : {std::pair{lblPrivate, 0}, {cmdAdd, 1}, {cmdAddLast, 2}, {cmdRemove, 3}})
        SetText(id, Text(strings::kPrivateProgramsId + text));
    SetText(lblPresetShortcut, Text(strings::kNextPresetShortcutId));
    SetText(cmdPresetShortcut, Text(strings::kChangeShortcutId));
    SetText(lblPresetKeys, Widen(DisplayText(HotKey(Host().Settings(), HotKeyAction::Preset))));
    SetText(cmdClose, Text(43));
}

void frmExtras::Refresh() {
    if (!DialogHwnd()) return;
    for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i)
        ::SendMessageW(Control(chkFirst + i), BM_SETCHECK,
                       Host().Settings().IsOn(kSwitches[static_cast<size_t>(i)]) ? BST_CHECKED : BST_UNCHECKED, 0);
    for (std::size_t i = 0; i < kSliders.size(); ++i) sliders_[i].SetValue(Host().Settings().Get(kSliders[i]));
    SetText(lblPresetKeys, Widen(DisplayText(HotKey(Host().Settings(), HotKeyAction::Preset))));
    const HWND list = Control(lstPrivate);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : Host().Private().Listed())
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
}

void frmExtras::ChangePrograms(int id) {
    PrivatePrograms programs = Host().Private();
    if (id == cmdAdd) {
        if (!programs.Add(Narrow(WindowText(Control(txtProgram))))) return;
        ::SetWindowTextW(Control(txtProgram), L"");
    } else if (id == cmdAddLast) {
        if (!programs.Add(Host().LastForeignProgram())) return;
    } else {
        const HWND list = Control(lstPrivate);
        const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR) return;
        programs.Remove(Narrow(ListItemText(list, static_cast<int>(selected))));
    }
    Host().SetPrivatePrograms(programs);
    Refresh();
}

void frmExtras::DpiChanged() {
    for (std::size_t i = 0; i < kSliders.size(); ++i) sliders_[i].SetDpi(Dpi(), SliderPlace(i));
}

LRESULT frmExtras::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == cmdClose) {
            HideDialog();
            return 0;
        }
        if (id == cmdPresetShortcut) {
            ShowHotKeyOptions(Host(), HotKeyAction::Preset, DialogHwnd(), Control(lblPresetKeys));
            return 0;
        }
        if (id == cmdAdd || id == cmdAddLast || id == cmdRemove) {
            ChangePrograms(id);
            return 0;
        }
        const int index = id - chkFirst;
        if (index >= 0 && index < static_cast<int>(kSwitches.size())) {
            const bool ticked = ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
            Host().ApplySetting(kSwitches[static_cast<size_t>(index)], ticked ? 1 : 0);
            return 0;
        }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
