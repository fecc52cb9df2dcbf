// The settings window: shows and edits the settings. The program's lifetime (overlays,
// timers, hooks, the settings record) lives in Program; this window's load and unload
// start and end it, and its public entry points forward there.
#pragma once

#include "app/BaseWindow_win.h"
#include "app/Program_win.h"

#include <windows.h>

#include <string>

class frmSet : public BaseWindow<frmSet> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmSet"; }
    static HICON ClassIcon();

    // Creates the window, runs Form_Load and shows it.
    bool Show();

    void ShowThisForm();
    // Every control shows the value the settings record holds.
    void ShowSettings() {}
    // Seam for the help window, which a later part of the program brings.
    void ShowHelp() {}
    void mnuExit_Click();
    // The menu's reset to defaults: asks, empties the file, applies and saves.
    void mnuDefault_Click();

    void MouseEvent(int32_t code, int32_t data) { TheProgram().MouseEvent(code, data); }
    void ApplySettings() { TheProgram().ApplySettings(); }
    bool Paused() const { return TheProgram().Paused(); }
    Overlays& overlays() { return TheProgram().overlays(); }
    void SetSettingsPathForTest(std::string path) { TheProgram().SetSettingsPathForTest(std::move(path)); }

    // "Taskbar": closing the window ends the program (true) or hides it to the tray.
    bool TaskbarMode() const { return TheProgram().Settings().IsOn(SettingKey::Taskbar); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum TimerId : UINT_PTR { StartupTimer = 1 };

    void Form_Load();
    // True when the close goes ahead.
    bool Form_QueryUnload(int unloadMode);
    void Form_Unload();
    void tmrStartup_Timer();
    // The window's own keys; true when one was answered.
    bool Form_KeyDown(int32_t code);
    void ApplyWindowState(int32_t state);

    handles::Timer tmrStartup;
    bool unloaded_ = false;
};

frmSet& SettingsWindow();
