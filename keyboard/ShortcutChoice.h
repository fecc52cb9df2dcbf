// The three drop-down lists of one shortcut (first modifier, second modifier, key): what
// each holds, what it shows selected, and what a choice in one of them makes of the
// shortcut. The dialogs only mirror these lists into combo boxes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "keyboard/HotKeyInfo.h"
#include "keyboard/KeyLists.h"

class clsLanguage;

struct ShortcutLists {
    KeyList spec1;  // Shift, Ctrl, Alt
    KeyList spec2;  // the modifiers but the one selected in spec1
    KeyList key;    // "(none)" and the keys that may end a shortcut
};

enum class ShortcutList { Spec1, Spec2, Key };

// The lists showing the shortcut. A code a list does not offer selects its first item: a
// modifier the second list leaves out (the first one again), since a shortcut needs two
// different modifiers, and a code no list offers at all (a hand-edited file).
ShortcutLists ShowShortcut(const HotKeyInfo& shortcut, const clsLanguage& language, const KeyNameLocale& locale);

// The shortcut as the lists show it: each list's selected code; a list without a
// selection leaves the shortcut's own value. Triggered is kept.
HotKeyInfo ShortcutShown(const ShortcutLists& lists, const HotKeyInfo& shortcut);

// The user chose item index of one list (an index past the end changes nothing). A new
// first modifier refills the second list without it, keeping the second modifier where
// it is still offered. Returns the shortcut the lists now show.
HotKeyInfo ChooseShortcutItem(ShortcutLists& lists, ShortcutList which, size_t index, const HotKeyInfo& shortcut,
                              const clsLanguage& language, const KeyNameLocale& locale);
