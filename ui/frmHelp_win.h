// The help window: a line of advice, the link to the home page, how to reach the program
// from the notification area, and the version and legal notice from the program's own
// version information. Close and Escape hide it; the title bar's close button destroys it,
// and the next opening builds it (and its version line) anew.
#pragma once

#include "ui/DialogWindow_win.h"
#include "ui/HelpText.h"

#include <string>

class frmHelp : public DialogWindow<frmHelp> {
public:
    enum ControlId : int {
        lblText = 3101, lblLink, lblImportant, lblTray, imgTray1, imgTray2, Image1, lblVersion, cmdClose,
    };

    ~frmHelp() override { UnloadDialog(); }

    static const wchar_t* ClassName() { return L"Glimmora_frmHelp"; }
    static Size ClientSize96() { return {521, 498}; }
    void CreateControls();
    void Lang_LanguageChange() override;

    void cmdClose_Click();
    // Opens the home page in the user's browser; a failure is not reported.
    void lblLink_Click();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    void SetLinkText();
    void SetPictures();
};

frmHelp& HelpWindow();

// The program's version information (its VERSIONINFO resource); empty fields when the
// module has none.
ProgramVersion ReadProgramVersion();
