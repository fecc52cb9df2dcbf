// The program: owns the process's life and everything that lives through it (the settings,
// the overlays, the settings window, the hooks, the timers, the tray icon) and orders the
// start and the exit. It lives in a message-only window, which is where the hooks, the key
// events and the z-order watch post to and the tracking and keyboard timers tick while
// anything moves. The settings window and the dialogs reach it only through SettingsHost.
#pragma once

#include "app/ClickSounds_win.h"
#include "app/Elevation_win.h"
#include "app/KeyboardPass_win.h"
#include "app/OverlayAppearance_win.h"
#include "app/PauseAndFade_win.h"
#include "app/RestPlan.h"
#include "app/Safeguards_win.h"
#include "app/SettingsStore_win.h"
#include "app/Shake.h"
#include "app/SingleInstance_win.h"
#include "app/Tracking_win.h"
#include "app/TrayIcon_win.h"
#include "app/ZOrderWatch_win.h"
#include "base/BaseWindow_win.h"
#include "base/Display_win.h"
#include "hook/RingDispatch.h"
#include "overlays/Overlays_win.h"
#include "ui/SettingsHost_win.h"
#include "ui/frmSet_win.h"

#include <windows.h>

#include <optional>
#include <string>

class Program : public BaseWindow<Program>, public SettingsHost {
public:
    static const wchar_t* ClassName() { return L"Glimmora_Program"; }

    // In order: the window a second start signals, the display, the settings file with its
    // language, the settings window; the overlays, hooks, tray and timers follow from the
    // message loop, once the settings window stands painted.
    bool Start();
    // The message loop, until the exit; returns the process exit code.
    int Run();
    // In order: the signal window's procedure restored, the tray icon and the hooks removed,
    // the timers stopped, the settings saved (with the settings window's state and the
    // windows' places), every overlay unloaded, the settings window and its dialogs closed.
    void Exit() override;

    // SettingsHost.
    const SettingsRecord& Settings() const override { return store_.Record(); }
    void ApplySetting(SettingKey key, double value) override;
    const PrivatePrograms& Private() const override { return store_.Private(); }
    void SetPrivatePrograms(const PrivatePrograms& programs) override;
    std::string LastForeignProgram() const override { return keys_.LastForeignProgram(); }
    const Presets& PresetList() const override { return store_.PresetList(); }
    void SwitchToPreset(std::size_t index) override;
    bool SaveAsPreset(const std::string& name) override;
    bool Paused() const override { return presence_.Paused(); }
    void TogglePause() override { TogglePause(PauseSource::Menu); }
    void SetPaused(bool paused) override;
    void StartBlink() override { presence_.StartBlink(); }
    void ResetToDefaults(HWND owner) override;
    void SetBoundary(std::optional<Rect> custom) override { desktop_.SetBoundary(custom); }
    bool OfferRestartElevated() const override { return adminWindows_.OfferRestart(); }
    void RestartElevated() override;

    // Reads the record again from the file chosen at start, with the command line over it.
    void LoadSettings();
    // Pushes every value of the record into the overlays.
    void ApplySettings();
    // Every mouse event of the hooks arrives here, with the modifiers (HeldShift, HeldCtrl,
    // HeldAlt) held when they saw it.
    void MouseEvent(int32_t code, int32_t data);
    void HookEvent(int32_t code, int32_t data, uint32_t held);
    // A finger's or a pen's press or release, marked instead of ringing as a left click.
    void TouchEvent(PointerKind kind, bool down);
    void TogglePause(PauseSource source);

    frmSet& SettingsWindow() { return settingsWindow_; }
    Overlays& overlays() { return overlays_; }
    const Desktop& desktop() const { return desktop_; }
    const SettingsStore& store() const { return store_; }
    PauseAndFade& presence() { return presence_; }
    ClickSounds& sounds() { return sounds_; }
    bool Loaded() const { return loaded_; }
    // Which of the tracking tick and the keyboard poll run now.
    bool Ticking() const { return tmrMain.Enabled(); }
    bool KeyPolling() const { return tmrKeyBoard.Enabled(); }
    const SingleInstance& instance() const { return instance_; }
    const AdminWindowWatch& adminWindows() const { return adminWindows_; }

    void SetSettingsPathForTest(std::string path) { store_.SetPathForTest(std::move(path)); }
    void SetCommandLineForTest(std::optional<std::wstring> arguments) { store_.SetCommandLineForTest(std::move(arguments)); }
    // A tracking tick this many milliseconds apart, so that a screen test can tell what
    // moved the overlays between ticks.
    void SetMainIntervalForTest(UINT milliseconds) { mainIntervalOverride_ = milliseconds; }
    // Integrity levels and the elevated start as a test gives them, from the next start on.
    void SetElevationForTest(Elevation elevation) { elevation_ = std::move(elevation); }

    // The program window's own timers.
    enum TimerId : UINT_PTR { MainTimer = 1, KeyBoardTimer, FindTimer };

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LoadOverlays();
    UINT MainInterval() const;
    // After every read of the file: the language and what the command line holds.
    void SettingsRead();
    void SaveSettings();
    // With the settings window's state and the windows' places, as the exit saves them.
    void SaveWithWindowState();
    // Is the foreground window one of an elevated program, new since the last look?
    void LookAtForeground();
    void ShowSettings();
    // Paused: everything hidden and the rings stopped. Playing: what is switched on shown,
    // at the pointer.
    void ShowPaused(bool paused);
    void ShowHideKeyboardWindow() { keys_.ShowHideKeyboardWindow(Paused()); }
    void tmrMain_Timer();
    void tmrKeyBoard_Timer();
    void RunShortcut(HotKeyAction action);
    void PointerMoved();
    // Following the pointer's moves and key events, or polling as designed: the timers
    // start as the rest plan says.
    void ApplyRestPlan();
    // A move, press or wheel turn: the tracking tick runs (again).
    void PointerActivity();
    // The keyboard poll runs (again): true when it was not running. A button may be listed
    // as a key and gives the ring its modifiers' caption.
    bool WakeKeyPoll();
    // A key event: the poll runs (again), with a pass at once.
    void KeyActivity();
    // Once a second: what no event reports (a window above the overlays that no event
    // announced, a pointer put somewhere without a move). Measuring the desktop costs dozens
    // of server round trips under some systems, so at rest only a display change does it.
    void EverySecond();
    // A shake of the pointer: the big pointer grows to twice its size for a second where it
    // is on; else the halo blinks, or shows for a second where it is off.
    void FindPointer();
    void tmrFind_Timer();

    SingleInstance instance_;
    SettingsStore store_;
    Desktop desktop_;
    Overlays overlays_;
    OverlayAppearance look_{overlays_, store_, desktop_};
    RestPlan rest_;
    PauseAndFade presence_{overlays_, store_.Record(), rest_};
    KeyboardPass keys_{overlays_, store_.Record(), store_.Private()};
    Safeguards guards_{overlays_, store_.Record(), keys_};
    Tracking tracking_{overlays_, desktop_, store_.Offsets(), [this] { look_.DesktopChanged(); }};
    RingDispatch rings_;
    ClickSounds sounds_;
    TrayIcon tray_;
    Elevation elevation_ = SystemElevation();
    AdminWindowWatch adminWindows_;
    ZOrderWatch zOrder_;
    frmSet settingsWindow_;
    handles::Timer tmrMain;
    handles::Timer tmrKeyBoard;
    handles::Timer tmrFind;
    ShakeDetector shake_;
    UINT mainIntervalOverride_ = 0;
    bool isLoadingSettings_ = false;
    bool loaded_ = false;
    bool exited_ = false;
};

Program& TheProgram();

// Entry routine; returns the process exit code.
int StartProgram();

// Test builds record every dispatched mouse event.
using MouseEventTrace = void (*)(int32_t code, int32_t data);
void SetMouseEventTrace(MouseEventTrace trace);
// And the moment the overlays, hooks and tray stand after the settings window.
using ProgramLoadedTrace = void (*)();
void SetProgramLoadedTrace(ProgramLoadedTrace trace);
