// The settings window. It owns the timers, the settings record and the overlays, and
// its load and unload run the program's start-up and tear-down.
#pragma once

#include "app/BaseWindow_win.h"
#include "app/SettingsRecord.h"
#include "app/Tracking_win.h"
#include "hook/RingDispatch.h"
#include "overlays/Overlays_win.h"

#include <windows.h>

#include <string>

class frmSet : public BaseWindow<frmSet> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_frmSet"; }
    static HICON ClassIcon();

    // Creates the window, runs Form_Load and shows it.
    bool Show();

    void ShowThisForm();
    // Seam for the help window, which a later part of the program brings.
    void ShowHelp() {}
    void mnuExit_Click();

    // Every mouse event of the hooks arrives here.
    void MouseEvent(int32_t code, int32_t data);

    // Reads the settings file and pushes every value into the overlays.
    void ApplySettings();

    // The pause option; the pause controller switches it.
    bool Paused() const { return paused_; }

    Overlays& overlays() { return overlays_; }
    // Tests run the program's start-up against their own settings file.
    void SetSettingsPathForTest(std::string path) { settingsPathOverride_ = std::move(path); }

    // The menu's reset to defaults: asks, empties the file, applies and saves.
    void mnuDefault_Click();

    int16_t SavedWindowState = 0;
    bool SavedWindowVisible = true;
    bool TaskbarMode = true;
    double PictureOffsetFactor = 1.0;
    double KeyboardOffsetFactor = 1.0;
    bool IsLoadingSettings = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum TimerId : UINT_PTR { MainTimer = 1, StartupTimer };

    void Form_Load();
    // True when the close goes ahead.
    bool Form_QueryUnload(int unloadMode);
    void Form_Unload();
    void tmrMain_Timer();
    void tmrStartup_Timer();

    void ChooseSettingsFile();
    void SaveSettings();
    void ApplyHaloSettings();
    void sldTransSpot_Change();
    void sldSizeSpot_Change();
    void chkSpot_Click();
    void chkRing_Click();
    void chkFullScreen_Click();
    void colpicSpot_RGBChanged();
    void ApplyWindowState(int16_t state);

    int32_t HaloSize() const;

    Overlays overlays_;
    Tracking tracking_{overlays_};
    RingDispatch rings_;
    SettingsRecord settings_;
    std::string settingsPath_;
    std::string settingsPathOverride_;
    handles::Timer tmrMain;
    handles::Timer tmrStartup;
    bool paused_ = false;
    bool unloaded_ = false;
};

frmSet& SettingsWindow();

// Test builds record every dispatched mouse event.
using MouseEventTrace = void (*)(int32_t code, int32_t data);
void SetMouseEventTrace(MouseEventTrace trace);
