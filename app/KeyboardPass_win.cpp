#include "app/KeyboardPass_win.h"

#include "base/Text_win.h"
#include "hook/MouseHooks_win.h"
#include "lang/SharedLanguage_win.h"

namespace {

class AsyncKeySource final : public KeyStateSource {
public:
    bool IsPressed(int32_t code) override { return ::GetAsyncKeyState(code) != 0; }
    bool IsDown(int32_t code) override { return (::GetAsyncKeyState(code) & 0x8000) != 0; }
};

}  // namespace

std::wstring KeyboardPass::ModifierCaption() const {
    const Modifiers held{(heldAtEvent_ & HeldShift) != 0, (heldAtEvent_ & HeldCtrl) != 0, (heldAtEvent_ & HeldAlt) != 0};
    return Widen(::ModifierCaption(SharedLanguage(), held, record_.IsOn(SettingKey::ShowKeysClick)));
}

TypingPrivacy KeyboardPass::Privacy(const KeyPollSettings& pollSettings) {
    // Asked only when keys are about and what is typed would be shown or counted.
    if (!pollSettings.listAnyKeys && !pollSettings.autoHideKeyboard) return TypingPrivacy::None;
    if (privatePrograms_.Hides(foreground_.Name())) return TypingPrivacy::PrivateProgram;
    return pollSettings.hidePasswordKeys && passwordFocus_.Focused() ? TypingPrivacy::PasswordField : TypingPrivacy::None;
}

KeyboardPass::Outcome KeyboardPass::Pass() {
    Outcome outcome;
    LASTINPUTINFO input{sizeof input, 0};
    ::GetLastInputInfo(&input);
    const bool inputSinceLastPass = input.dwTime != lastInputTime_;
    lastInputTime_ = input.dwTime;
    if (!poller_.PassNeeded(inputSinceLastPass)) return outcome;
    AsyncKeySource keys;
    const KeyPollSettings pollSettings = KeyPollSettingsFrom(record_);
    const KeyPollResult pass = poller_.PollKeyboard(keys, pollSettings, Privacy(pollSettings));
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    const Modifiers shown = pass.Shown();
    if (pass.setSpecialKeys) keyBoard.SetSpecialKeys(shown.shift, shown.ctrl, shown.alt, pass.altGr);
    for (int32_t code : pass.Added()) keyBoard.AddKey(code, pollSettings.keyNamesFromLayout);
    if (pass.keysHidden) keyBoard.ShowKeysHidden();
    outcome.typed = pass.countTyping;

    // Only rings whose button is held take the caption; the mouse image always does, so
    // that an empty caption clears it.
    const std::wstring caption =
        Widen(::ModifierCaption(SharedLanguage(), pass.caption, pollSettings.showKeysClick, pass.altGr));
    for (auto& ring : overlays_.buttons)
        if (ring.Tracking() && ring.Shown()) ring.SetKeyText(caption);
    overlays_.pic.SetKeyText(caption);

    outcome.triggered = pass.triggered;
    return outcome;
}

void KeyboardPass::ShowHideKeyboardWindow(bool paused) {
    AsyncKeySource keys;
    const KeyPollSettings pollSettings = KeyPollSettingsFrom(record_);
    poller_.ForgetPresses(keys);
    frmKeyBoard& keyBoard = overlays_.keyBoard;
    if (pollSettings.showKeysWindow || pollSettings.listAnyKeys) {
        keyBoard.SetViewMode(pollSettings.listAnyKeys && AnyKeyClassSelected(pollSettings), pollSettings.showKeysWindow);
        if (!paused) keyBoard.ShowOnTop();
    } else {
        keyBoard.Hide();
        keyBoard.SetViewMode(false, false);
    }
}

void KeyboardPass::HeldStateLost() {
    overlays_.keyBoard.SetSpecialKeys(false, false, false);
    heldAtEvent_ = 0;
}

namespace {

// The keyboards (generic desktop page, keyboard usage) registered with flags for window.
bool RegisterKeyboards(DWORD flags, HWND window) {
    const RAWINPUTDEVICE keyboards{0x01, 0x06, flags, window};
    return ::RegisterRawInputDevices(&keyboards, 1, sizeof keyboards) != FALSE;
}

}  // namespace

bool KeyboardPass::StartKeyEvents(HWND window) {
    // The sink flag keeps them coming while other programs have the focus.
    keyEvents_ = RegisterKeyboards(RIDEV_INPUTSINK, window);
    return keyEvents_;
}

void KeyboardPass::Stop() {
    passwordFocus_.Stop();
    if (keyEvents_) RegisterKeyboards(RIDEV_REMOVE, nullptr);
    keyEvents_ = false;
}
