// Pause, blink and auto-hide of the overlays, with the fade that auto-hide runs. Every
// decision lives here; PauseAndFade's timers read the clock and the pointer, call in, and
// apply the results to the overlays.
//
// Times are seconds since midnight; a time below the stored one means midnight passed.
#pragma once

#include "base/Geometry.h"

#include <cstdint>

// ---- Pause ----------------------------------------------------------------------------

// Menu and tray entries are held off for half a second after the last toggle; the pause
// shortcut is not, because the poller reports each press only once.
enum class PauseSource { Menu, Shortcut };

struct PauseToggle {
    bool accepted = false;
    bool paused = false;  // select optPause when true, optPlay when false (only if accepted)
    bool operator==(const PauseToggle&) const = default;
};

class PauseState {
public:
    bool Paused = false;        // optPause selected
    float LastPauseToggle = 0;  // kept, and compared, in single precision

    PauseToggle TogglePause(double now, PauseSource source = PauseSource::Menu);
};

// ---- Auto-hide and fade ---------------------------------------------------------------

inline constexpr int32_t kAutoHideTickMs = 251;
inline constexpr int32_t kAutoHideFadeMs = 37;
inline constexpr int32_t kAutoHideQuickFadeMs = 13;  // while the delay is 0
inline constexpr double kAutoHideFadeInStep = 0.1;
inline constexpr double kAutoHideFadeOutStep = 0.038;

// The caller's settings record, as read at each check.
struct AutoHideSettings {
    double delaySeconds = 0;  // "FadeAutoHide", 0..60
    bool whenIdle = false;    // "AutoHideMouse"
    bool whenTyping = false;  // "AutoHideKeyboard"
};

// What the caller does after RefreshAutoHide or ApplyAutoHide.
struct AutoHideStep {
    bool hide = false;       // Hidden for the halo, the mouse image and arms 0..3, on every call
    bool startFade = false;  // enable tmrFade: the hidden state changed
    int32_t fadeIntervalMs = kAutoHideFadeMs;  // tmrFade's interval from now on
    bool operator==(const AutoHideStep&) const = default;
};

enum class AutoHideFade {
    Idle,      // no fade running: leave the overlays alone
    Continue,  // apply FadedAlpha to the halo, the mouse image and arms 0..3
    Last,      // the same, then disable tmrFade
};

class AutoHideState {
public:
    double LastActivityTime = 0;
    int32_t TypedKeyCount = 0;
    Point LastPointerPos{};
    bool AutoHidden = false;
    double FadeLevel = 0;  // 0..1, the share of each overlay's own alpha shown

    // Pointer or mouse activity: the idle time starts again and typing is forgotten.
    void ResetIdleTimer(double now);

    // A keyboard polling pass in which text was typed (the poller decides which count).
    void CountTypedPass();

    // The 251 ms check (force false) or a change of an overlay setting (force true).
    AutoHideStep RefreshAutoHide(bool force, Point pointer, double now, const AutoHideSettings& settings);
    AutoHideStep ApplyAutoHide(bool hide);
    // Seconds from now until the idle rule hides the overlays, with no activity before; 0
    // when it already would.
    double SecondsUntilIdle(double now, const AutoHideSettings& settings) const;

    // tmrFade_Timer: moves FadeLevel one step towards the end AutoHidden asks for.
    AutoHideFade FadeTimer();
    bool FadeRunning() const { return fadeRunning_; }
    int32_t FadeIntervalMs() const { return fadeIntervalMs_; }

    // The alpha an overlay with its user's alpha gets at the current FadeLevel.
    int32_t FadedAlpha(int32_t alphaOriginal) const;

private:
    bool fadeRunning_ = false;
    int32_t fadeIntervalMs_ = kAutoHideFadeMs;
};

// ---- Blink ----------------------------------------------------------------------------

inline constexpr int32_t kBlinkTickMs = 150;
inline constexpr int32_t kBlinkTicks = 21;

enum class BlinkTick {
    Idle,      // not blinking
    Continue,  // let the overlays' own blink handlers run
    Stop,      // disable tmrBlink; StopBlink on arms 0..3, then on the halo
};

class BlinkState {
public:
    int32_t BlinkCount = 0;
    bool Blinking() const { return blinking_; }

    // The caller enables tmrBlink and calls StartBlink on arms 0..3, then on the halo.
    // Starting again while blinking restarts the count. Each start and tick resets the
    // idle time, so nothing auto-hides during a blink.
    void StartBlink(double now, AutoHideState& autoHide);
    BlinkTick BlinkTimer(double now, AutoHideState& autoHide);

private:
    bool blinking_ = false;
};
