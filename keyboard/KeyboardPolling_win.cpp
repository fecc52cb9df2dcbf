// The program's keyboard: the 100 ms polling pass and what it feeds (the keyboard
// display, the shortcuts, the typing count, the modifier captions). KeyPoller decides;
// this reads the key states and applies the result.
#include "app/Program_win.h"

#include "base/Text_win.h"
#include "app/modMain_win.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"

namespace {

class AsyncKeySource final : public KeyStateSource {
public:
    bool IsPressed(int32_t code) override { return ::GetAsyncKeyState(code) != 0; }
    bool IsDown(int32_t code) override { return (::GetAsyncKeyState(code) & 0x8000) != 0; }
};

}  // namespace

std::wstring Program::ModifierCaption() const {
    const Modifiers held{(heldAtEvent_ & HeldShift) != 0, (heldAtEvent_ & HeldCtrl) != 0, (heldAtEvent_ & HeldAlt) != 0};
    return Widen(::ModifierCaption(SharedLanguage(), held, pollSettings_.showKeysClick));
}

void Program::tmrKeyBoard_Timer() {
    LASTINPUTINFO input{sizeof input, 0};
    ::GetLastInputInfo(&input);
    const bool inputSinceLastPass = input.dwTime != lastInputTime_;
    lastInputTime_ = input.dwTime;
    if (!poller_.PassNeeded(inputSinceLastPass)) return;
    AsyncKeySource keys;
    // Asked only when keys are about and what is typed would be shown or counted.
    const bool password = pollSettings_.hidePasswordKeys && (pollSettings_.listAnyKeys || pollSettings_.autoHideKeyboard) &&
                          passwordFocus_.Focused();
    const KeyPollResult pass = poller_.PollKeyboard(keys, pollSettings_, password);
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    const Modifiers shown = pass.Shown();
    if (pass.setSpecialKeys) keyBoard.SetSpecialKeys(shown.shift, shown.ctrl, shown.alt, pass.altGr);
    for (int32_t code : pass.Added()) keyBoard.AddKey(code, pollSettings_.keyNamesFromLayout);
    if (pass.keysHidden) keyBoard.ShowKeysHidden();
    if (pass.countTyping) autoHide_.CountTypedPass();

    // Only rings whose button is held take the caption; the mouse image always does, so
    // that an empty caption clears it.
    const std::wstring caption =
        Widen(::ModifierCaption(SharedLanguage(), pass.caption, pollSettings_.showKeysClick, pass.altGr));
    for (auto& ring : overlays_.buttons)
        if (ring.Tracking() && ring.Shown()) ring.SetKeyText(caption);
    overlays_.pic.SetKeyText(caption);

    for (int i = 0; i < kHotKeyActionCount; ++i)
        if (pass.triggered[i]) RunShortcut(static_cast<HotKeyAction>(i));
}

void Program::RunShortcut(HotKeyAction action) {
    const auto toggle = [this](SettingKey key) { ApplySetting(key, settings_.IsOn(key) ? 0 : 1); };
    switch (action) {
    case HotKeyAction::Blink: StartBlink(); break;
    case HotKeyAction::Pause: TogglePause(PauseSource::Shortcut); break;
    case HotKeyAction::Buttons: toggle(SettingKey::Buttons); break;
    case HotKeyAction::Picture: toggle(SettingKey::MouseImage); break;
    case HotKeyAction::Spot: toggle(SettingKey::Halo); break;
    case HotKeyAction::CrossHair: toggle(SettingKey::Crosshair); break;
    case HotKeyAction::KeyBoard: toggle(SettingKey::ListAnyKeys); break;
    }
    if (link_.settingsChanged) link_.settingsChanged();
}

void Program::ShowHideKeyboardWindow() {
    if (isLoadingSettings_) return;
    AsyncKeySource keys;
    poller_.ForgetPresses(keys);
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    if (pollSettings_.showKeysWindow || pollSettings_.listAnyKeys) {
        keyBoard.SetViewMode(pollSettings_.listAnyKeys && AnyKeyClassSelected(pollSettings_), pollSettings_.showKeysWindow);
        if (!Paused()) keyBoard.ShowOnTop();
    } else {
        keyBoard.Hide();
        keyBoard.SetViewMode(false, false);
    }
}
