// The program's pause, blink, auto-hide and fade: PauseBlinkFade decides, this applies it
// to the overlays.
#include "app/Program_win.h"

#include "app/modMain_win.h"

namespace {

constexpr UINT kBlinkInterval = kBlinkTickMs;

}  // namespace

void Program::TogglePause(PauseSource source) {
    const PauseToggle toggle = pause_.TogglePause(SecondsSinceMidnight(), source);
    if (!toggle.accepted) return;
    if (toggle.paused)
        optPause_Click();
    else
        optPlay_Click();
    if (link_.settingsChanged) link_.settingsChanged();
}

void Program::optPause_Click() {
    pause_.Paused = true;
    overlays_.spot.Hide();
    for (auto& arrow : overlays_.wheelArrow) arrow.Hide();
    overlays_.pic.Hide();
    overlays_.pic.ClearButtons();
    overlays_.keyBoard.Hide();
    for (auto& arm : overlays_.crossHair) arm.Hide();
    for (auto& ring : overlays_.buttons) ring.Pause();
}

void Program::optPlay_Click() {
    pause_.Paused = false;
    // Everything is at the pointer before it shows; rings and arrows wait for the next event.
    tracking_.PlaceOverlays(true);
    ShowSwitchedOn();
    ShowHideKeyboardWindow();
    RefreshAutoHide(true);
}

void Program::StartBlink() {
    blink_.StartBlink(SecondsSinceMidnight(), autoHide_);
    tmrBlink.Start(hwnd(), BlinkTimer, kBlinkInterval);
    for (auto& arm : overlays_.crossHair) arm.StartBlink();
    overlays_.spot.StartBlink();
}

void Program::tmrBlink_Timer() {
    switch (blink_.BlinkTimer(SecondsSinceMidnight(), autoHide_)) {
    case BlinkTick::Idle:
        tmrBlink.Stop();
        return;
    case BlinkTick::Continue:
        // All blinking windows change colour on the same tick.
        for (auto& arm : overlays_.crossHair) arm.tmrBlink_Timer();
        overlays_.spot.tmrBlink_Timer();
        return;
    case BlinkTick::Stop:
        tmrBlink.Stop();
        for (auto& arm : overlays_.crossHair) arm.StopBlink();
        overlays_.spot.StopBlink();
        return;
    }
}

void Program::ResetIdleTimer() { autoHide_.ResetIdleTimer(SecondsSinceMidnight()); }

void Program::RefreshAutoHide(bool force) {
    const AutoHideSettings settings{settings_.Get(SettingKey::FadeAutoHide), settings_.IsOn(SettingKey::AutoHideMouse),
                                    settings_.IsOn(SettingKey::AutoHideKeyboard)};
    ApplyAutoHide(autoHide_.RefreshAutoHide(force, CursorPosition(), SecondsSinceMidnight(), settings));
    SyncAutoHideTimer();
}

void Program::SyncAutoHideTimer() {
    if (!settings_.IsOn(SettingKey::AutoHideMouse) && !settings_.IsOn(SettingKey::AutoHideKeyboard) &&
        !autoHide_.AutoHidden)
        tmrAutoHide.Stop();
    else if (!tmrAutoHide.Enabled())
        tmrAutoHide.Start(hwnd(), AutoHideTimer, kAutoHideTickMs);
}

void Program::tmrAutoHide_Timer() { RefreshAutoHide(false); }

void Program::ApplyAutoHide(const AutoHideStep& step) {
    overlays_.spot.SetHidden(step.hide);
    overlays_.pic.SetHidden(step.hide);
    for (auto& arm : overlays_.crossHair) arm.SetHidden(step.hide);
    if (step.startFade || (tmrFade.Enabled() && tmrFade.Interval() != UINT(step.fadeIntervalMs)))
        tmrFade.Start(hwnd(), FadeTimer, static_cast<UINT>(step.fadeIntervalMs));
}

void Program::tmrFade_Timer() {
    const AutoHideFade fade = autoHide_.FadeTimer();
    if (fade == AutoHideFade::Idle) {
        tmrFade.Stop();
        return;
    }
    // The user's alpha stays in AlphaOriginal; the fade only lends a share of it.
    overlays_.spot.MakeTrans(autoHide_.FadedAlpha(overlays_.spot.AlphaOriginal()), true);
    overlays_.pic.MakeTrans(autoHide_.FadedAlpha(overlays_.pic.AlphaOriginal()), true);
    for (auto& arm : overlays_.crossHair) arm.MakeTrans(autoHide_.FadedAlpha(arm.AlphaOriginal()), true);
    if (fade == AutoHideFade::Last) tmrFade.Stop();
}
