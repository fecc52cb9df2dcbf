// The extras dialog: every switch beyond the program's original settings, each a check box
// that acts at once and is saved like any other setting.
#pragma once

#include "settings/SettingsRecord.h"
#include "ui/DialogWindow_win.h"

#include <array>

class frmExtras : public DialogWindow<frmExtras> {
public:
    enum ControlId : int { chkFirst = 101, cmdClose = 150 };
    // In the dialog's order; the captions follow from kFirstExtraSwitchId.
    static constexpr std::array kSwitches{SettingKey::ReleaseLostClicks, SettingKey::HealHooks,
                                          SettingKey::FollowPointerMoves, SettingKey::SameSizeOnEveryMonitor,
                                          SettingKey::HidePasswordKeys, SettingKey::KeyNamesFromLayout,
                                          SettingKey::ListRepeatCount, SettingKey::ShowTouch, SettingKey::ShakeToFind};

    static const wchar_t* ClassName() { return L"Glimmora_frmExtras"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;
    // The boxes show the settings record again.
    void Refresh();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

frmExtras& ExtrasWindow();
