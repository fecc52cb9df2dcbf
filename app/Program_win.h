// The program's lifetime: the overlays, the settings record, the timers, the mouse hooks,
// the tracking tick and the dispatch of mouse events, with the ordered start-up and
// tear-down. It lives in a message-only window, which is where the hooks post to and the
// timers tick; the settings window only shows and edits what it holds.
#pragma once

#include "base/BaseWindow_win.h"
#include "app/PauseBlinkFade.h"
#include "settings/SettingsRecord.h"
#include "app/SessionWatch_win.h"
#include "app/Tracking_win.h"
#include "app/TrayIcon_win.h"
#include "hook/HookHealth.h"
#include "hook/RingDispatch.h"
#include "keyboard/KeyPoller.h"
#include "keyboard/PasswordFocus_win.h"
#include "overlays/Overlays_win.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// What the program asks of the settings window, which it does not know by type.
struct SettingsWindowLink {
    std::function<void()> showThisForm;  // the tray icon's left click and "Settings"
    std::function<void()> exit;          // the tray menu's "Exit"
    // A value changed outside the window's controls (a shortcut, the pause, the reset):
    // the window shows the record again.
    std::function<void()> settingsChanged;
    HICON icon = nullptr;                // the window's icon, for the tray
};

// The settings window's state as the settings file keeps it.
struct SettingsWindowState {
    int32_t state = 0;  // 0 normal, 1 minimised, 2 maximised
    bool visible = true;
};

class Program : public BaseWindow<Program> {
public:
    static const wchar_t* ClassName() { return L"Glimmora_Program"; }

    // Chooses and reads the settings file with its language, then, from the message loop
    // (so after the settings window has painted), creates every overlay, applies the
    // settings, installs the hooks and starts the timers.
    bool Form_Load(SettingsWindowLink link);
    // Removes the hooks, stops the timers, saves (with the settings window's state) and
    // unloads every overlay, in that order.
    void Form_Unload(const SettingsWindowState& window);

    // Reads the record again from the file chosen at start, with the command line over it.
    void LoadSettings();
    // Pushes every value of the record into the overlays.
    void ApplySettings();
    // A control changed one value: it is stored and the overlay it drives takes it.
    void ApplySetting(SettingKey key, double value);
    // The reset to defaults: asks, empties the file, applies and saves.
    void ResetToDefaults(HWND owner);

    // Every mouse event of the hooks arrives here.
    void MouseEvent(int32_t code, int32_t data);
    // An event of the hooks with the modifiers (HeldShift, HeldCtrl, HeldAlt) held when they saw it.
    void HookEvent(int32_t code, int32_t data, uint32_t held);
    void tmrMain_Timer();

    // Pause, blink, auto-hide and fade (PauseAndFade_win.cpp).
    bool Paused() const { return pause_.Paused; }
    // The menu and tray entries (held off for half a second) and the pause shortcut.
    void TogglePause(PauseSource source = PauseSource::Menu);
    void optPause_Click();
    void optPlay_Click();
    void StartBlink();
    void ResetIdleTimer();
    void RefreshAutoHide(bool force);
    const AutoHideState& AutoHide() const { return autoHide_; }

    // The keyboard (KeyboardPolling_win.cpp).
    // The names of the modifiers held at the latest mouse event, for its ring.
    std::wstring ModifierCaption() const;
    void ShowHideKeyboardWindow();
    const SettingsRecord& Settings() const { return settings_; }
    Overlays& overlays() { return overlays_; }
    bool IsLoadingSettings() const { return isLoadingSettings_; }

    // Command-line scales of the mouse image's and keyboard display's distance.
    double PictureOffsetFactor = 1.0;
    double KeyboardOffsetFactor = 1.0;
    // The settings window's state 777 ms after start: as saved, or minimised by the
    // command line's pause, which never reaches the saved record.
    SettingsWindowState StartupWindowState() const { return startupWindowState_; }

    // Tests run the program's start-up against their own settings file and command line
    // (the arguments after the program's path).
    void SetSettingsPathForTest(std::string path) { settingsPathOverride_ = std::move(path); }
    void SetCommandLineForTest(std::optional<std::wstring> arguments) { commandLineOverride_ = std::move(arguments); }
    // A tracking tick this many milliseconds apart, so that a screen test can tell what
    // moved the overlays between ticks.
    void SetMainIntervalForTest(UINT milliseconds) { mainIntervalOverride_ = milliseconds; }

    // The program window's timers, as its WM_TIMER messages name them.
    enum TimerId : UINT_PTR { MainTimer = 1, KeyBoardTimer, BlinkTimer, AutoHideTimer, FadeTimer };

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:

    void LoadOverlays();
    UINT MainInterval() const;
    // Once per start: taking over an older file rewrites where the settings live, so a
    // second choice would read the freshly written one-key file instead.
    void ChooseSettingsFile();
    // After every read of the file: the command line over it, and what lives outside the record.
    void SettingsRead();
    void ApplyCommandLine();
    void SaveSettings();
    // One function per overlay takes its values from the record; start-up, the reset and
    // the settings window's controls all go through them.
    void ApplyClickIndicator();
    void ApplyCrossHair();
    void ApplyHalo();
    void ApplyMouseImage();
    void ApplyKeyboard();
    void ApplyOverlayOrder();
    // Halo, mouse image and cross hair shown as they are switched on, unless paused.
    void ShowSwitchedOn();
    // A changed desktop: everything sized to it follows.
    void DesktopChanged();

    void tmrBlink_Timer();
    void tmrAutoHide_Timer();
    void tmrFade_Timer();
    void ApplyAutoHide(const AutoHideStep& step);
    // tmrAutoHide runs only while an auto-hide option is on or the overlays are still hidden
    // by one: switched off, it costs no timer.
    void SyncAutoHideTimer();
    void tmrKeyBoard_Timer();
    void RunShortcut(HotKeyAction action);
    // Pointer moves between ticks, and sizes that follow the monitor's DPI (FollowPointer_win.cpp).
    void PointerMoved();
    void FollowMonitorDpi(Point pointer);
    // The DPI the overlays are sized for now; the Apply functions size with it.
    uint32_t SizingDpi();
    void ResizeForDpi();
    // Lengths at a DPI and text at a scale (1.0 at 96 dpi): for the monitor under the pointer,
    // or for a window locked by the setting lock, at the place x, y, the monitor it stays on.
    struct DpiScale {
        uint32_t dpi;
        double text;
    };
    // monitorDpi 0: sizes do not follow the monitor, or its DPI is not known.
    static DpiScale ScaleFor(uint32_t monitorDpi);
    DpiScale PointerScale();
    DpiScale WindowScale(SettingKey lock, SettingKey x, SettingKey y);
    // Where a window stays while locked: its place in the record.
    Point LockedPlace(SettingKey x, SettingKey y) const;
    // The keyboard display at its scale, re-sized in place.
    void ScaleKeyboard(Point pointer);
    // Lost releases, locks and display changes, hook healing (Safeguards_win.cpp).
    void StartSafeguards();
    void StopSafeguards();
    void ReleaseLostClicks();
    void HeldStateLost();
    void CheckHookHealth();

    SettingsWindowLink link_;
    Overlays overlays_;
    Tracking tracking_{overlays_, [this] { DesktopChanged(); }};
    RingDispatch rings_;
    SettingsRecord settings_;
    std::string settingsPath_;
    std::string settingsPathOverride_;
    std::optional<std::wstring> commandLineOverride_;
    SettingsWindowState startupWindowState_;
    UINT mainIntervalOverride_ = 0;
    TrayIcon tray_;
    handles::Timer tmrMain;
    handles::Timer tmrKeyBoard;
    handles::Timer tmrBlink;
    handles::Timer tmrAutoHide;
    handles::Timer tmrFade;
    PauseState pause_;
    BlinkState blink_;
    AutoHideState autoHide_;
    KeyPoller poller_;
    KeyPollSettings pollSettings_;
    PasswordFocus passwordFocus_;
    SessionWatch sessionWatch_;
    HookHealth hookHealth_;
    DWORD lastInputTime_ = 0;
    uint32_t heldAtEvent_ = 0;
    HMONITOR pointerMonitor_ = nullptr;
    uint32_t monitorDpi_ = 0;
    uint32_t sizedDpi_ = 96;
    Point dpiPointer_;
    bool isLoadingSettings_ = false;
    bool loaded_ = false;
};

Program& TheProgram();

// Test builds record every dispatched mouse event.
using MouseEventTrace = void (*)(int32_t code, int32_t data);
void SetMouseEventTrace(MouseEventTrace trace);

// Test builds record the steps of ApplySettings as they run.
using ApplySettingsTrace = void (*)(const char* step);
void SetApplySettingsTrace(ApplySettingsTrace trace);
