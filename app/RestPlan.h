// When the program's own timers run. As designed, the tracking tick, the keyboard poll and
// the auto-hide check run from start to end. While the hooks report the pointer's moves, and
// key events arrive, nothing needs to run at rest: the tick runs while the pointer moves or
// something animates and ends a second after the last of it, the keyboard poll runs from a key
// event while a key is held or a line is listed, and auto-hide waits with one timer for the
// moment its delay runs out. A laptop running the program all day then wakes for nothing.
#pragma once

#include "app/PauseBlinkFade.h"

#include <cstdint>
#include <optional>

// How long the tick runs on after the last move, press or animation.
inline constexpr uint32_t kRestAfterMs = 1000;

class RestPlan {
public:
    // polling: every timer runs as designed (the pointer's moves are not followed, or key
    // events cannot be had).
    void SetPolling(bool pointer, bool keys) { pollPointer_ = pointer, pollKeys_ = keys; }
    bool PollingPointer() const { return pollPointer_; }

    // A move, press or wheel turn at nowMs (a tick count that may wrap): true when the tick
    // has to be started.
    bool PointerActivity(uint32_t nowMs);
    // At each tick. busy: a button held, a blink, a fade or a wheel arrow on screen. False
    // when the tick ends here.
    bool KeepTicking(uint32_t nowMs, bool busy);
    // The tick was stopped or started from outside (start, pause, exit).
    void SetTicking(bool ticking) { ticking_ = ticking; }
    bool Ticking() const { return ticking_; }

    // A key event: true when the poll has to be started (and a pass run at once).
    bool KeyActivity();
    // After each pass: false when the poll ends here. A pass run the moment a key event
    // arrives may read the keys before the system has them down, so the poll always runs one
    // pass more after the last key event.
    bool KeepPolling(bool keyHeld, bool lineListed);
    void SetKeyPolling(bool polling) { keyPolling_ = polling; }
    bool KeyPolling() const { return keyPolling_; }

    // Milliseconds until the next auto-hide check, or none when no check is needed: the
    // designed 251 ms while anything is awake (moves and typing count between checks), else
    // one wait for the idle delay to run out.
    std::optional<uint32_t> AutoHideWait(const AutoHideState& state, const AutoHideSettings& settings,
                                         double nowSeconds) const;

private:
    bool pollPointer_ = true;
    bool pollKeys_ = true;
    bool ticking_ = false;
    bool keyPolling_ = false;
    int passesSinceKeyEvent_ = 0;
    uint32_t lastActivityMs_ = 0;
};
