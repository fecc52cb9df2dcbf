// The keyboard: the 100 ms polling pass and what it feeds (the keyboard display, the
// shortcuts, the typing count, the modifier captions). KeyPoller decides; this reads the key
// states and applies the result.
#pragma once

#include "keyboard/ForegroundProgram_win.h"
#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyPoller.h"
#include "keyboard/PasswordFocus_win.h"
#include "overlays/Overlays_win.h"
#include "settings/PrivatePrograms.h"
#include "settings/SettingsRecord.h"

#include <windows.h>

#include <array>
#include <string>

class KeyboardPass {
public:
    KeyboardPass(Overlays& overlays, const SettingsRecord& record, const PrivatePrograms& privatePrograms)
        : overlays_(overlays), record_(record), privatePrograms_(privatePrograms) {}

    struct Outcome {
        std::array<bool, kHotKeyActionCount> triggered{};
        bool typed = false;  // counts for the auto-hide while typing
    };
    // One tick of tmrKeyBoard.
    Outcome Pass();

    // The modifiers (HeldShift, HeldCtrl, HeldAlt) the hooks saw held at the latest mouse event.
    void SetHeldAtEvent(uint32_t held) { heldAtEvent_ = held; }
    // Their names, for that event's ring.
    std::wstring ModifierCaption() const;
    // Shows the keyboard display as the record asks (unless paused), or hides it.
    void ShowHideKeyboardWindow(bool paused);
    // The held state was lost (a lock, a display change): nothing counts as held any more.
    void HeldStateLost();
    // Whether the last pass found a key or modifier held.
    bool KeyHeld() const { return poller_.KeyHeld(); }
    // Key events (raw input, which is no hook: it takes nothing from anyone's keys) reach the
    // window as WM_INPUT from now on. False when the system gives none: the poll runs on.
    bool StartKeyEvents(HWND window);
    bool KeyEvents() const { return keyEvents_; }
    // Looks at the foreground window again, so that the last other program is known even
    // when no key was typed in it.
    void NoteForeground() { foreground_.Name(); }
    std::string LastForeignProgram() const { return foreground_.LastForeign(); }
    void Stop();

private:
    TypingPrivacy Privacy(const KeyPollSettings& pollSettings);

    Overlays& overlays_;
    const SettingsRecord& record_;
    const PrivatePrograms& privatePrograms_;
    KeyPoller poller_;
    PasswordFocus passwordFocus_;
    ForegroundProgram foreground_;
    DWORD lastInputTime_ = 0;
    uint32_t heldAtEvent_ = 0;
    bool keyEvents_ = false;
};
