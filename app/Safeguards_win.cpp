#include "app/Safeguards_win.h"

#include "hook/MouseHooks_win.h"

void Safeguards::Start(std::function<void()> everySecond, std::function<void()> displayChanged) {
    everySecond_ = std::move(everySecond);
    sessionWatch_.Create({[this] { HeldStateLost(); },
                          [this] {
                              CheckHookHealth();
                              if (everySecond_) everySecond_();
                          },
                          std::move(displayChanged)});
}

void Safeguards::Stop() { sessionWatch_.Release(); }

void Safeguards::ReleaseLostClicks() {
    // Nothing read while no button is held: an idle tick stays as cheap as before.
    if (::AnyButtonHeld() && record_.IsOn(SettingKey::ReleaseLostClicks)) ::ReleaseLostButtons();
}

void Safeguards::HeldStateLost() {
    if (!record_.IsOn(SettingKey::ReleaseLostClicks)) return;
    ::ForgetHeldButtons();
    for (auto& ring : overlays_.buttons) ring.Pause();
    for (auto& arrow : overlays_.wheelArrow) arrow.Hide();
    overlays_.pic.ClearButtons();
    keys_.HeldStateLost();
}

void Safeguards::CheckHookHealth() {
    if (!record_.IsOn(SettingKey::HealHooks) || !::HooksInstalled()) return;
    if (hookHealth_.ReinstallNeeded(::LowLevelHookSample())) ::ReinstallLowLevelHook();
}
