#include "keyboard/WindowKeys.h"

WindowKeyAction SettingsWindowKey(int32_t code, Modifiers held) {
    if (code == 'Q') return held.ctrl || held.alt ? WindowKeyAction::Exit : WindowKeyAction::None;
    if (held.shift || held.ctrl || held.alt) return WindowKeyAction::None;
    switch (code) {
    case 121:  // F10
    case 93:   // context menu
        return WindowKeyAction::Menu;
    case 112: return WindowKeyAction::Help;          // F1
    case 114: return WindowKeyAction::LockPicture;   // F3
    case 115: return WindowKeyAction::LockKeyboard;  // F4
    default: return WindowKeyAction::None;
    }
}
