// Key names as the user's system shows them: the shared language, the user's decimal
// separator, the ANSI code page and, for the keyboard display, the keyboard layout in use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "keyboard/KeyCatalogue.h"
#include "keyboard/LayoutKeyNames.h"

class HotKeyInfo;

// A keyboard layout asked through ToUnicodeEx with a key state of its own, and without
// touching the dead-key state, so that a dead key named here does not change what the
// user types next.
class WindowsKeyboardLayout final : public KeyboardLayoutSource {
public:
    explicit WindowsKeyboardLayout(HKL layout) : layout_(layout) {}
    // The layout of the foreground window's thread: the keys go there.
    static WindowsKeyboardLayout OfForegroundWindow();
    std::optional<LayoutCharacter> CharacterOf(int32_t code, bool shift) const override;

private:
    HKL layout_;
};

// Read anew on each call, so a change of the user's number format shows at once.
KeyNameLocale UserKeyNameLocale();

// Names from the language table: stable whatever layout is active, for the shortcut lists
// and texts, whose stored codes never depend on a layout.
std::string KeyName(int32_t code);
std::string DisplayText(const HotKeyInfo& shortcut);
// The name the keyboard display lists; fromLayout: "KeyNamesFromLayout".
std::string DisplayKeyName(int32_t code, bool fromLayout);
