// Guards against what the hooks can miss: a release that never came, a lock or display
// change in the middle of a click, a low-level hook that the system removed. MouseMessage
// and HookHealth decide; this applies it.
#pragma once

#include "app/KeyboardPass_win.h"
#include "app/SessionWatch_win.h"
#include "hook/HookHealth.h"
#include "overlays/Overlays_win.h"
#include "settings/SettingsRecord.h"

#include <functional>

class Safeguards {
public:
    Safeguards(Overlays& overlays, const SettingsRecord& record, KeyboardPass& keys)
        : overlays_(overlays), record_(record), keys_(keys) {}

    // everySecond: the program's own once-a-second check, after the hook's; displayChanged:
    // the desktop may have a new size.
    void Start(std::function<void()> everySecond, std::function<void()> displayChanged);
    void Stop();
    // Every tracking tick: a held button whose release the hooks missed is released.
    void ReleaseLostClicks();

private:
    void HeldStateLost();
    void CheckHookHealth();

    Overlays& overlays_;
    const SettingsRecord& record_;
    KeyboardPass& keys_;
    SessionWatch sessionWatch_;
    std::function<void()> everySecond_;
    HookHealth hookHealth_;
};
