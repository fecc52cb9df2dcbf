// The program's guards against what the hooks can miss: a release that never came, a
// lock or display change in the middle of a click, a low-level hook that the system
// removed. MouseMessage and HookHealth decide; this applies it.
#include "app/Program_win.h"

#include "hook/MouseHooks_win.h"

void Program::StartSafeguards() {
    sessionWatch_.Create({[this] { HeldStateLost(); }, [this] { CheckHookHealth(); }});
}

void Program::StopSafeguards() { sessionWatch_.Release(); }

void Program::ReleaseLostClicks() {
    // Nothing read while no button is held: an idle tick stays as cheap as before.
    if (::AnyButtonHeld() && settings_.IsOn(SettingKey::ReleaseLostClicks)) ::ReleaseLostButtons();
}

void Program::HeldStateLost() {
    if (!settings_.IsOn(SettingKey::ReleaseLostClicks)) return;
    ::ForgetHeldButtons();
    for (auto& ring : overlays_.buttons) ring.Pause();
    for (auto& arrow : overlays_.wheelArrow) arrow.Hide();
    overlays_.pic.ClearButtons();
    overlays_.keyBoard.SetSpecialKeys(false, false, false);
    heldAtEvent_ = 0;
}

void Program::CheckHookHealth() {
    if (!settings_.IsOn(SettingKey::HealHooks) || !::HooksInstalled()) return;
    if (hookHealth_.ReinstallNeeded(::LowLevelHookSample())) ::ReinstallLowLevelHook();
}
