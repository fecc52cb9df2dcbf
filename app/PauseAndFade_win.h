// Pause, blink, auto-hide and fade: PauseBlinkFade decides, this applies it to the overlays
// with its own three timers on the program's window.
#pragma once

#include "app/PauseBlinkFade.h"
#include "app/RestPlan.h"
#include "base/Handles_win.h"
#include "overlays/Overlays_win.h"
#include "settings/SettingsRecord.h"

#include <windows.h>

#include <optional>

class PauseAndFade {
public:
    // The timers' ids on the program's window.
    enum TimerId : UINT_PTR { BlinkTimer = 10, AutoHideTimer, FadeTimer };

    PauseAndFade(Overlays& overlays, const SettingsRecord& record, const RestPlan& plan)
        : overlays_(overlays), record_(record), plan_(plan) {}
    void SetTimerWindow(HWND window) { timerWindow_ = window; }

    bool Paused() const { return pause_.Paused; }
    // The flag alone: the command line's pause before the overlays exist.
    void SetPaused(bool paused) { pause_.Paused = paused; }
    // The menu, tray and shortcut toggle, held off for half a second: the new state, or
    // nothing when the toggle was held off.
    std::optional<bool> TogglePause(PauseSource source);
    // optPause: everything hidden, the rings stopped.
    void Pause();

    void StartBlink();
    void ResetIdleTimer();
    void RefreshAutoHide(bool force);
    // tmrAutoHide runs as the rest plan says: every 251 ms while anything is awake, once
    // when the idle delay runs out at rest, not at all while no auto-hide option is on and
    // nothing is hidden by one.
    void SyncAutoHideTimer();
    // A blink or a fade runs.
    bool Animating() const { return tmrBlink.Enabled() || tmrFade.Enabled(); }
    void CountTypedPass() { autoHide_.CountTypedPass(); }
    const AutoHideState& AutoHide() const { return autoHide_; }

    // A tick of one of its timers; false for any other timer.
    bool OnTimer(UINT_PTR id);
    void Stop();

private:
    AutoHideSettings Settings() const;
    void tmrBlink_Timer();
    void tmrFade_Timer();
    void ApplyAutoHide(const AutoHideStep& step);

    Overlays& overlays_;
    const SettingsRecord& record_;
    const RestPlan& plan_;
    HWND timerWindow_ = nullptr;
    PauseState pause_;
    BlinkState blink_;
    AutoHideState autoHide_;
    handles::Timer tmrBlink;
    handles::Timer tmrAutoHide;
    handles::Timer tmrFade;
};
