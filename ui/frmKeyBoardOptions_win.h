// The key-selection dialog: which key classes the keyboard display lists. Each box is a
// setting of its own; the display follows every change at once.
#pragma once

#include "ui/DialogWindow_win.h"

class frmKeyBoardOptions : public DialogWindow<frmKeyBoardOptions> {
public:
    enum ControlId : int {
        chkFunction = 101,
        chkSpecial,
        chkInput,
        chkCursor,
        chkCharacter,
        chkCharacterSpecial,
        chkMouse,
        cmdClose,
    };

    static const wchar_t* ClassName() { return L"Glimmora_frmKeyBoardOptions"; }
    static Size ClientSize96();
    void CreateControls();
    void Lang_LanguageChange() override;

    // The boxes show the settings record again.
    void Refresh();
    // At least one key class is listed; "only with Ctrl or Alt" alone is none.
    bool AnySelected() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

frmKeyBoardOptions& KeyBoardOptionsWindow();
