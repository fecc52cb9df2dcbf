// The presets as a submenu of the program menu and the tray menu: each preset (the one the
// settings now match checked), a line, and "Save as preset ...".
#pragma once

#include "ui/SettingsHost_win.h"

#include <windows.h>

#include <string>

// Ids firstId to firstId + kPresetMenuSpan - 1 are the submenu's.
inline constexpr UINT kPresetMenuSpan = 100;

// A new popup (destroyed with the menu it is put into); none unless "PresetsInMenus" is on,
// as the menus hold only their own entries by default.
HMENU MakePresetMenu(const SettingsHost& host, UINT firstId);
// Runs id when it is one of the submenu's: a switch, or the save dialog owned by owner.
bool RunPresetMenu(SettingsHost& host, UINT id, UINT firstId, HWND owner);
// The starting points in the current language, any other preset by its name.
std::wstring PresetCaption(const std::string& name);
