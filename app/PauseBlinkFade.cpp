#include "app/PauseBlinkFade.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// Narrowing a finite double beyond the float range is undefined, so it saturates first.
float Single(double x) {
    if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(x, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

constexpr float kPauseGuardSeconds = 0.5f;
constexpr int32_t kTypedPassesToHide = 3;
constexpr double kQuickDelaySeconds = 0.1;
constexpr double kJitterPixels = 10;

}  // namespace

// ---- Pause ----------------------------------------------------------------------------

PauseToggle PauseState::TogglePause(double now, PauseSource source) {
    if (!std::isfinite(now)) return {false, Paused};
    // Compared as stored: a double time could round up on storing and later look as if
    // midnight had passed.
    const float t = Single(now);
    // A second back makes the guard pass for a fresh press of the shortcut, without
    // opening it for the menu between presses.
    if (source == PauseSource::Shortcut) LastPauseToggle = t - 1;
    const bool midnightPassed = t < LastPauseToggle;
    if (!(t - kPauseGuardSeconds > LastPauseToggle || midnightPassed)) return {false, Paused};
    LastPauseToggle = t;
    Paused = !Paused;
    return {true, Paused};
}

// ---- Auto-hide and fade ---------------------------------------------------------------

void AutoHideState::ResetIdleTimer(double now) {
    // A broken clock reading keeps the last good time rather than poisoning every check.
    if (std::isfinite(now)) LastActivityTime = now;
    TypedKeyCount = 0;
}

void AutoHideState::CountTypedPass() {
    if (TypedKeyCount < std::numeric_limits<int32_t>::max()) ++TypedKeyCount;
}

namespace {

// A delay of 0 still waits for one check (and fades faster); anything below the slider's
// range counts as 0.
double EffectiveDelay(double delaySeconds) { return delaySeconds > 0 ? delaySeconds : kQuickDelaySeconds; }

}  // namespace

AutoHideStep AutoHideState::RefreshAutoHide(bool force, Point pointer, double now, const AutoHideSettings& settings) {
    const double delay = EffectiveDelay(settings.delaySeconds);
    fadeIntervalMs_ = settings.delaySeconds > 0 ? kAutoHideFadeMs : kAutoHideQuickFadeMs;
    if (force) ResetIdleTimer(now);

    // Doubles: the squares of two desktop-wide distances do not fit 32 bits.
    const double dx = static_cast<double>(LastPointerPos.x) - pointer.x;
    const double dy = static_cast<double>(LastPointerPos.y) - pointer.y;
    LastPointerPos = pointer;
    // A hand resting on the mouse jitters by a few pixels; that is not activity.
    if (dx * dx + dy * dy >= kJitterPixels * kJitterPixels) ResetIdleTimer(now);

    bool hide = settings.whenTyping && TypedKeyCount >= kTypedPassesToHide;
    if (settings.whenIdle) {
        const bool midnightPassed = now < LastActivityTime;
        // In single precision, 0.3 s counts as 0.1 s after a reset at 0.2 s, though the
        // difference of the doubles is a hair below 0.1.
        if (midnightPassed || Single(delay) <= Single(now - LastActivityTime)) hide = true;
    }
    return ApplyAutoHide(hide);
}

double AutoHideState::SecondsUntilIdle(double now, const AutoHideSettings& settings) const {
    if (!std::isfinite(now) || now < LastActivityTime) return 0;
    // No wait longer than a day, whatever the clock said before.
    return std::clamp(LastActivityTime + EffectiveDelay(settings.delaySeconds) - now, 0.0, 86400.0);
}

AutoHideStep AutoHideState::ApplyAutoHide(bool hide) {
    AutoHideStep step{hide, false, fadeIntervalMs_};
    if (hide == AutoHidden) return step;
    AutoHidden = hide;
    // Only a level sitting exactly at the far end jumps to the near end; a fade reversed
    // half-way goes back from where it is.
    if (!hide && FadeLevel == 1) FadeLevel = 0;
    if (hide && FadeLevel == 0) FadeLevel = 1;
    fadeRunning_ = true;
    step.startFade = true;
    return step;
}

AutoHideFade AutoHideState::FadeTimer() {
    if (!fadeRunning_) return AutoHideFade::Idle;
    // The end tests read "not short of the end" so that a level that is not a number
    // ends the fade as well.
    FadeLevel = std::clamp(FadeLevel, 0.0, 1.0);
    if (!AutoHidden) {
        FadeLevel += kAutoHideFadeInStep;
        if (!(FadeLevel < 1)) {
            FadeLevel = 1;
            fadeRunning_ = false;
        }
    } else {
        FadeLevel -= kAutoHideFadeOutStep;
        if (!(FadeLevel > 0)) {
            FadeLevel = 0;
            fadeRunning_ = false;
        }
    }
    return fadeRunning_ ? AutoHideFade::Continue : AutoHideFade::Last;
}

int32_t AutoHideState::FadedAlpha(int32_t alphaOriginal) const {
    return std::clamp(RoundEven(alphaOriginal * std::clamp(FadeLevel, 0.0, 1.0)), 0, 255);
}

// ---- Blink ----------------------------------------------------------------------------

void BlinkState::StartBlink(double now, AutoHideState& autoHide) {
    BlinkCount = 0;
    blinking_ = true;
    autoHide.ResetIdleTimer(now);
}

BlinkTick BlinkState::BlinkTimer(double now, AutoHideState& autoHide) {
    if (!blinking_) return BlinkTick::Idle;
    ++BlinkCount;
    autoHide.ResetIdleTimer(now);
    if (BlinkCount < kBlinkTicks) return BlinkTick::Continue;
    blinking_ = false;
    return BlinkTick::Stop;
}
