// The settings window's dialogs, each created on first use and hidden when closed. The
// settings window opens them from its buttons and menu; they edit the settings record
// through Program::ApplySetting and show it again when it changes elsewhere.
#pragma once

#include <windows.h>

#include "keyboard/HotKeyInfo.h"

// The key-selection dialog ("Select keys ..."), the shortcut dialog of one of the five
// switches (its label on the settings window follows every change) and the options dialog.
void ShowKeyBoardOptions(HWND owner);
void ShowHotKeyOptions(HotKeyAction action, HWND owner, HWND shortcutLabel);
void ShowOptions(HWND owner);
// The click-indicator options, without owner.
void ShowClickOptions();
// The boundary window, without owner.
void ShowSetBoundary();
// The help window, owned by the settings window.
void ShowHelpWindow(HWND owner);

// Every loaded dialog shows the settings record again (after a reset, a shortcut, ...).
void RefreshDialogs();
// Hides every dialog (the settings window went to the notification area).
void HideDialogs();
// Destroys every dialog (the program ends).
void UnloadDialogs();
