// "Save as preset": a name to type, kept with the current settings on "Save"; a name that
// cannot be a preset's leaves the dialog open.
#pragma once

#include "ui/DialogWindow_win.h"

class frmPresetName : public DialogWindow<frmPresetName> {
public:
    enum ControlId : int { lblName = 101, txtName, cmdSave, cmdCancel };

    static const wchar_t* ClassName() { return L"Glimmora_frmPresetName"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void cmdSave_Click();
};

frmPresetName& PresetNameWindow();
// Opens the dialog with an empty name.
void ShowPresetName(SettingsHost& host, HWND owner);
