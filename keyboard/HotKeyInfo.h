// One keyboard shortcut, and the eight the program has.
#pragma once

#include <cstdint>
#include <string>

#include "keyboard/KeyCatalogue.h"

class clsLanguage;
class SettingsRecord;
enum class SettingKey : int32_t;

class HotKeyInfo {
public:
    int32_t Spec1 = 0;    // first modifier: 16, 17 or 18
    int32_t Spec2 = 0;    // second modifier
    int32_t KeyCode = 0;  // the key, or -1 when the shortcut is off
    bool Triggered = false;

    // "Shift+Ctrl+Y", or "(none)" in the current language when the shortcut is off.
    std::string GetDisplayText(const clsLanguage& language, const KeyNameLocale& locale) const;
};

// In the order the poller visits them; Preset (the next preset) was added after the others.
enum class HotKeyAction { Blink, Pause, Buttons, Picture, Spot, CrossHair, KeyBoard, Preset };
inline constexpr int kHotKeyActionCount = 8;

// The action's shortcut as the settings record holds it (HotKey<Name>Spec1, Spec2 and
// KeyCode), so that it is never kept apart from the record it is saved from.
HotKeyInfo HotKey(const SettingsRecord& record, HotKeyAction action);
// The first of the action's three keys; the other two follow it.
SettingKey FirstShortcutKey(HotKeyAction action);
// "Blink", "Pause", ..., "KeyBoard": the middle of the settings keys HotKey<Name>Spec1 etc.
const char* HotKeyActionName(HotKeyAction action);
