// The shortcut dialog of one of the five switches (click indicator, mouse image, halo,
// cross hair, keyboard display). Every choice is stored at once; the settings window's
// label of that shortcut follows.
#pragma once

#include "ui/DialogWindow_win.h"
#include "ui/ShortcutCombos_win.h"

class frmHotKeyOptions : public DialogWindow<frmHotKeyOptions> {
public:
    enum ControlId : int {
        lblAction = 101,
        cboSpec1,
        lblPlus1,
        cboSpec2,
        lblPlus2,
        cboKey,
        cmdClose,
    };

    static const wchar_t* ClassName() { return L"Glimmora_frmHotKeyOptions"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;

    // Opens the dialog on the action's shortcut; shortcutLabel is the settings window's
    // label that shows it. Both stay set after the dialog is hidden.
    void ShowForm(HotKeyAction action, HWND shortcutLabel, HWND owner);
    // The lists and the label show the settings record again.
    void Refresh();
    HotKeyAction EditedShortcut() const { return combos_.Action(); }
    HWND ShortcutLabel() const { return shortcutLabel_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateLabel();

    ShortcutCombos combos_{cboSpec1, cboSpec2, cboKey};
    HWND shortcutLabel_ = nullptr;
};

frmHotKeyOptions& HotKeyOptionsWindow();

