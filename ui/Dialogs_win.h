// The settings window's dialogs, each created on first use and hidden when closed. The
// settings window opens them from its buttons and menu; they edit the settings record
// through the host's ApplySetting and show it again when it changes elsewhere.
#pragma once

#include <windows.h>

#include "keyboard/HotKeyInfo.h"
#include "ui/SettingsHost_win.h"

// The key-selection dialog ("Select keys ..."), the shortcut dialog of one of the five
// switches (its label on the settings window follows every change) and the options dialog.
void ShowKeyBoardOptions(SettingsHost& host, HWND owner);
void ShowHotKeyOptions(SettingsHost& host, HotKeyAction action, HWND owner, HWND shortcutLabel);
void ShowOptions(SettingsHost& host, HWND owner);
// Every switch added beyond the original settings.
void ShowExtras(SettingsHost& host, HWND owner);
// The click-indicator options, without owner.
void ShowClickOptions(SettingsHost& host);
// The boundary window, without owner.
void ShowSetBoundary(SettingsHost& host);
// The help window, owned by the settings window.
void ShowHelpWindow(SettingsHost& host, HWND owner);

// Every loaded dialog shows the settings record again (after a reset, a shortcut, ...).
void RefreshDialogs();
// Hides every dialog (the settings window went to the notification area).
void HideDialogs();
// Destroys every dialog (the program ends).
void UnloadDialogs();
