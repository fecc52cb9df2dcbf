#include "app/PauseAndFade_win.h"

#include "base/Display_win.h"

namespace {

constexpr UINT kBlinkInterval = kBlinkTickMs;

}  // namespace

std::optional<bool> PauseAndFade::TogglePause(PauseSource source) {
    const PauseToggle toggle = pause_.TogglePause(SecondsSinceMidnight(), source);
    if (!toggle.accepted) return std::nullopt;
    return toggle.paused;
}

void PauseAndFade::Pause() {
    pause_.Paused = true;
    overlays_.spot.Hide();
    for (auto& arrow : overlays_.wheelArrow) arrow.Hide();
    overlays_.pic.Hide();
    overlays_.pic.ClearButtons();
    overlays_.keyBoard.Hide();
    for (auto& arm : overlays_.crossHair) arm.Hide();
    for (auto& ring : overlays_.buttons) ring.Pause();
    overlays_.touch.Hide();
    overlays_.bigPointer.Hide();
}

void PauseAndFade::StartBlink() {
    blink_.StartBlink(SecondsSinceMidnight(), autoHide_);
    tmrBlink.Start(timerWindow_, BlinkTimer, kBlinkInterval);
    for (auto& arm : overlays_.crossHair) arm.StartBlink();
    overlays_.spot.StartBlink();
    overlays_.bigPointer.StartBlink();
}

void PauseAndFade::tmrBlink_Timer() {
    switch (blink_.BlinkTimer(SecondsSinceMidnight(), autoHide_)) {
    case BlinkTick::Idle:
        tmrBlink.Stop();
        return;
    case BlinkTick::Continue:
        // All blinking windows change colour on the same tick.
        for (auto& arm : overlays_.crossHair) arm.tmrBlink_Timer();
        overlays_.spot.tmrBlink_Timer();
        overlays_.bigPointer.tmrBlink_Timer();
        return;
    case BlinkTick::Stop:
        tmrBlink.Stop();
        for (auto& arm : overlays_.crossHair) arm.StopBlink();
        overlays_.spot.StopBlink();
        overlays_.bigPointer.StopBlink();
        return;
    }
}

void PauseAndFade::ResetIdleTimer() { autoHide_.ResetIdleTimer(SecondsSinceMidnight()); }

AutoHideSettings PauseAndFade::Settings() const {
    return {record_.Get(SettingKey::FadeAutoHide), record_.IsOn(SettingKey::AutoHideMouse),
            record_.IsOn(SettingKey::AutoHideKeyboard)};
}

void PauseAndFade::RefreshAutoHide(bool force) {
    ApplyAutoHide(autoHide_.RefreshAutoHide(force, CursorPosition(), SecondsSinceMidnight(), Settings()));
    SyncAutoHideTimer();
}

void PauseAndFade::SyncAutoHideTimer() {
    const std::optional<uint32_t> wait = plan_.AutoHideWait(autoHide_, Settings(), SecondsSinceMidnight());
    if (!wait)
        tmrAutoHide.Stop();
    else if (!tmrAutoHide.Enabled() || tmrAutoHide.Interval() != *wait)
        tmrAutoHide.Start(timerWindow_, AutoHideTimer, *wait);
}

bool PauseAndFade::OnTimer(UINT_PTR id) {
    switch (id) {
    case BlinkTimer: tmrBlink_Timer(); return true;
    case AutoHideTimer: RefreshAutoHide(false); return true;
    case FadeTimer: tmrFade_Timer(); return true;
    }
    return false;
}

void PauseAndFade::Stop() {
    for (handles::Timer* timer : {&tmrBlink, &tmrAutoHide, &tmrFade}) timer->Stop();
}
void PauseAndFade::ApplyAutoHide(const AutoHideStep& step) {
    overlays_.spot.SetHidden(step.hide);
    overlays_.pic.SetHidden(step.hide);
    overlays_.bigPointer.SetHidden(step.hide);
    for (auto& arm : overlays_.crossHair) arm.SetHidden(step.hide);
    if (step.startFade || (tmrFade.Enabled() && tmrFade.Interval() != UINT(step.fadeIntervalMs)))
        tmrFade.Start(timerWindow_, FadeTimer, static_cast<UINT>(step.fadeIntervalMs));
}

void PauseAndFade::tmrFade_Timer() {
    const AutoHideFade fade = autoHide_.FadeTimer();
    if (fade == AutoHideFade::Idle) {
        tmrFade.Stop();
        return;
    }
    // The user's alpha stays in AlphaOriginal; the fade only lends a share of it.
    overlays_.spot.MakeTrans(autoHide_.FadedAlpha(overlays_.spot.AlphaOriginal()), true);
    overlays_.bigPointer.MakeTrans(autoHide_.FadedAlpha(overlays_.bigPointer.AlphaOriginal()), true);
    overlays_.pic.MakeTrans(autoHide_.FadedAlpha(overlays_.pic.AlphaOriginal()), true);
    for (auto& arm : overlays_.crossHair) arm.MakeTrans(autoHide_.FadedAlpha(arm.AlphaOriginal()), true);
    if (fade == AutoHideFade::Last) tmrFade.Stop();
}
