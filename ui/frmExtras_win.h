// The extras dialog: every switch beyond the program's original settings, each a check box
// that acts at once and is saved like any other setting.
#pragma once

#include "controls/ctlSlider_win.h"
#include "settings/SettingsRecord.h"
#include "ui/DialogWindow_win.h"

#include <array>

class frmExtras : public DialogWindow<frmExtras> {
public:
    enum ControlId : int {
        chkFirst = 101, sldFirst = 140, cmdClose = 150,
        // The private programs: a caption, the list, a name to type and three buttons.
        lblPrivate = 160, lstPrivate, txtProgram, cmdAdd, cmdAddLast, cmdRemove,
        // The shortcut that switches to the next preset: its caption, its keys, a button to change it.
        lblPresetShortcut = 170, lblPresetKeys, cmdPresetShortcut
    };
    // In the dialog's order; the captions follow from kFirstExtraSwitchId, the last from kPresetsInMenusId.
    static constexpr std::array kSwitches{SettingKey::ReleaseLostClicks, SettingKey::HealHooks,
                                          SettingKey::FollowPointerMoves, SettingKey::SameSizeOnEveryMonitor,
                                          SettingKey::HidePasswordKeys, SettingKey::KeyNamesFromLayout,
                                          SettingKey::ListRepeatCount, SettingKey::ShowTouch, SettingKey::ShakeToFind,
                                          SettingKey::BigPointer, SettingKey::ClickSounds, SettingKey::PresetsInMenus};
    static int32_t SwitchCaption(std::size_t index);
    // Side by side below the switches; captions from kBigPointerScaleId on.
    static constexpr std::array kSliders{SettingKey::BigPointerScale, SettingKey::ClickVolume};

    static const wchar_t* ClassName() { return L"Glimmora_frmExtras"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;
    // The boxes and sliders show the settings record again.
    void Refresh();
    ctlSlider& Slider(std::size_t index) { return sliders_[index]; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    // Add the typed name, add the program used last, or remove the selected one.
    void ChangePrograms(int id);

    std::array<ctlSlider, kSliders.size()> sliders_;
};

frmExtras& ExtrasWindow();
