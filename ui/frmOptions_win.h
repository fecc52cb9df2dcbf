// The options dialog: the shortcuts for blinking and for pause, and whether the program
// keeps running in the notification area when the settings window is closed.
#pragma once

#include "ui/DialogWindow_win.h"
#include "ui/ShortcutCombos_win.h"

class frmOptions : public DialogWindow<frmOptions> {
public:
    enum ControlId : int {
        lblShortcuts = 101,
        lblBlink,
        cboBlink1,
        lblBlinkPlus1,
        cboBlink2,
        lblBlinkPlus2,
        cboBlinkKey,
        lblPause,
        cboPause1,
        lblPausePlus1,
        cboPause2,
        lblPausePlus2,
        cboPauseKey,
        lblProgram,
        imgTray,
        chkShowInTray,
        cmdClose,
    };

    static const wchar_t* ClassName() { return L"Glimmora_frmOptions"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;

    // The lists and the box show the settings record again.
    void Refresh();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintTray(const DRAWITEMSTRUCT& item) const;

    ShortcutCombos blink_{cboBlink1, cboBlink2, cboBlinkKey};
    ShortcutCombos pause_{cboPause1, cboPause2, cboPauseKey};
};

frmOptions& OptionsWindow();
