// The program's timers: the tracking tick, the keyboard poll and the once-a-second check,
// started and stopped as the rest plan decides.
#include "app/Program_win.h"

#include "hook/MouseHooks_win.h"

namespace {

constexpr UINT kMainInterval = 15;
constexpr UINT kLowRefreshInterval = 45;
constexpr UINT kKeyBoardInterval = 100;
constexpr UINT kFindShownMs = 1000;

}  // namespace

UINT Program::MainInterval() const {
    if (mainIntervalOverride_) return mainIntervalOverride_;
    return Settings().IsOn(SettingKey::LowRefresh) ? kLowRefreshInterval : kMainInterval;
}

void Program::ApplyRestPlan() {
    if (!loaded_) return;
    const bool follow = Settings().IsOn(SettingKey::FollowPointerMoves);
    rest_.SetPolling(!follow, !follow || !keys_.KeyEvents());
    rest_.SetTicking(false);
    rest_.SetKeyPolling(false);
    PointerActivity();
    WakeKeyPoll();
}

void Program::PointerActivity() {
    if (!loaded_ || !rest_.PointerActivity(::GetTickCount())) return;
    tmrMain.Start(hwnd(), MainTimer, MainInterval());
    presence_.SyncAutoHideTimer();
}

bool Program::WakeKeyPoll() {
    if (!loaded_ || !rest_.KeyActivity()) return false;
    tmrKeyBoard.Start(hwnd(), KeyBoardTimer, kKeyBoardInterval);
    presence_.SyncAutoHideTimer();
    return true;
}

void Program::KeyActivity() {
    // A pass at once: the key shows now, not a poll later.
    if (WakeKeyPoll()) tmrKeyBoard_Timer();
}

void Program::tmrMain_Timer() {
    if (!Paused()) tracking_.KeepOnTop();
    tracking_.PlaceOverlays(false);
    look_.FollowMonitorDpi(tracking_.LastPointer());
    guards_.ReleaseLostClicks();
    const bool busy = ::AnyButtonHeld() || presence_.Animating() || overlays_.wheelArrow[0].Shown() ||
                      overlays_.wheelArrow[1].Shown();
    if (rest_.KeepTicking(::GetTickCount(), busy)) return;
    tmrMain.Stop();
    presence_.SyncAutoHideTimer();
}

void Program::PointerMoved() {
    PointerMoveHandled();
    PointerActivity();
    if (Settings().IsOn(SettingKey::FollowPointerMoves) && !Paused()) tracking_.FollowPointer();
    if (Settings().IsOn(SettingKey::ShakeToFind) && !Paused() && shake_.Move(CursorPosition(), ::GetTickCount()))
        FindPointer();
}

void Program::FindPointer() {
    if (Settings().IsOn(SettingKey::BigPointer)) {
        look_.FindBigPointer(true);
        tmrFind.Start(hwnd(), FindTimer, kFindShownMs);
        return;
    }
    if (Settings().IsOn(SettingKey::Halo)) {
        presence_.StartBlink();
        return;
    }
    tracking_.PlaceOverlays(true);
    overlays_.spot.ShowOnTop();
    tmrFind.Start(hwnd(), FindTimer, kFindShownMs);
}

void Program::tmrFind_Timer() {
    tmrFind.Stop();
    look_.FindBigPointer(false);
    if (!Settings().IsOn(SettingKey::Halo) || Paused()) overlays_.spot.Hide();
}

void Program::EverySecond() {
    keys_.NoteForeground();
    // Some systems report no foreground change across processes: the look here catches it.
    LookAtForeground();
    // While the tick runs, it raises and places the overlays itself.
    if (rest_.Ticking()) return;
    if (!Paused()) tracking_.KeepOnTop();
    // Put there by a program, not moved by a hand: no hook saw it.
    if (CursorPosition() != tracking_.LastPointer()) {
        PointerActivity();
        if (!Paused()) tracking_.FollowPointer();
    } else if (!Paused()) {
        overlays_.bigPointer.FollowShape();  // a shape the application set while the pointer rests
    }
}

void Program::tmrKeyBoard_Timer() {
    const KeyboardPass::Outcome pass = keys_.Pass();
    if (pass.typed) presence_.CountTypedPass();
    for (int i = 0; i < kHotKeyActionCount; ++i)
        if (pass.triggered[i]) RunShortcut(static_cast<HotKeyAction>(i));
    const frmKeyBoard& keyBoard = overlays_.keyBoard;
    const bool listed = keyBoard.hwnd() && keyBoard.Display().ClearTimerEnabled();
    if (rest_.KeepPolling(keys_.KeyHeld(), listed)) return;
    tmrKeyBoard.Stop();
    presence_.SyncAutoHideTimer();
}
