#include "ui/frmExtras_win.h"

#include "lang/StringTable.h"

namespace {

constexpr int kMargin = 16, kWidth = 460, kRowHeight = 36, kButtonWidth = 96, kButtonHeight = 28;
constexpr int kSliderTop = kMargin + static_cast<int>(frmExtras::kSwitches.size()) * kRowHeight + 4;
constexpr int kSliderHeight = 37, kSliderWidth = (kWidth - 3 * kMargin) / 2;
constexpr int kHeight = kSliderTop + kSliderHeight + 16 + kButtonHeight + kMargin;

RECT SliderPlace(std::size_t index) {
    const int left = kMargin + static_cast<int>(index) * (kSliderWidth + kMargin);
    return {left, kSliderTop, left + kSliderWidth, kSliderTop + kSliderHeight};
}

}  // namespace

Size frmExtras::ClientSize96() { return {kWidth, kHeight}; }

void frmExtras::CreateControls() {
    const int right = kWidth - kMargin;
    for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i) {
        const int top = kMargin + i * kRowHeight;
        // Two lines fit each row: the longer languages wrap.
        AddControl(chkFirst + i, L"Button", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                   {kMargin, top, right, top + kRowHeight - 4});
    }
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
        SetText(chkFirst + i, Text(strings::kFirstExtraSwitchId + i));
    for (std::size_t i = 0; i < kSliders.size(); ++i)
        sliders_[i].SetCaption(Text(strings::kBigPointerScaleId + static_cast<int32_t>(i)));
    SetText(cmdClose, Text(43));
}

void frmExtras::Refresh() {
    if (!DialogHwnd()) return;
    for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i)
        ::SendMessageW(Control(chkFirst + i), BM_SETCHECK,
                       Host().Settings().IsOn(kSwitches[static_cast<size_t>(i)]) ? BST_CHECKED : BST_UNCHECKED, 0);
    for (std::size_t i = 0; i < kSliders.size(); ++i) sliders_[i].SetValue(Host().Settings().Get(kSliders[i]));
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
        const int index = id - chkFirst;
        if (index >= 0 && index < static_cast<int>(kSwitches.size())) {
            const bool ticked = ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
            Host().ApplySetting(kSwitches[static_cast<size_t>(index)], ticked ? 1 : 0);
            return 0;
        }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}
