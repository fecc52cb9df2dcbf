// The keys the settings window answers itself while it has the keyboard focus.
#pragma once

#include <cstdint>

#include "keyboard/KeyPoller.h"

enum class WindowKeyAction { None, Menu, Help, LockPicture, LockKeyboard, Exit };

// F10 or the context-menu key opens the menu, F1 the help, F3 and F4 lock the mouse image
// and the keyboard display, all with no modifier held; Q with Ctrl or Alt (others may be
// held too) exits.
WindowKeyAction SettingsWindowKey(int32_t code, Modifiers held);
