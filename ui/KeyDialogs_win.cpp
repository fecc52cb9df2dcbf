// The key-selection, shortcut, options and extras dialogs, one window each for the whole run.
#include "ui/Dialogs_win.h"
#include "ui/frmHotKeyOptions_win.h"
#include "ui/frmKeyBoardOptions_win.h"
#include "ui/frmExtras_win.h"
#include "ui/frmOptions_win.h"
#include "ui/frmPresetName_win.h"

frmKeyBoardOptions& KeyBoardOptionsWindow() {
    static frmKeyBoardOptions window;
    return window;
}

frmHotKeyOptions& HotKeyOptionsWindow() {
    static frmHotKeyOptions window;
    return window;
}

frmOptions& OptionsWindow() {
    static frmOptions window;
    return window;
}

frmExtras& ExtrasWindow() {
    static frmExtras window;
    return window;
}

void ShowKeyBoardOptions(SettingsHost& host, HWND owner) {
    KeyBoardOptionsWindow().SetHost(host);
    KeyBoardOptionsWindow().Refresh();
    KeyBoardOptionsWindow().ShowDialog(owner);
}

void ShowHotKeyOptions(SettingsHost& host, HotKeyAction action, HWND owner, HWND shortcutLabel) {
    HotKeyOptionsWindow().SetHost(host);
    HotKeyOptionsWindow().ShowForm(action, shortcutLabel, owner);
}

void ShowOptions(SettingsHost& host, HWND owner) {
    OptionsWindow().SetHost(host);
    OptionsWindow().Refresh();
    OptionsWindow().ShowDialog(owner);
}

void ShowExtras(SettingsHost& host, HWND owner) {
    ExtrasWindow().SetHost(host);
    ExtrasWindow().Refresh();
    ExtrasWindow().ShowDialog(owner);
}

void RefreshKeyDialogs() {
    KeyBoardOptionsWindow().Refresh();
    HotKeyOptionsWindow().Refresh();
    OptionsWindow().Refresh();
    ExtrasWindow().Refresh();
}

void HideKeyDialogs() {
    OptionsWindow().HideDialog();
    ExtrasWindow().HideDialog();
    PresetNameWindow().HideDialog();
    KeyBoardOptionsWindow().HideDialog();
    HotKeyOptionsWindow().HideDialog();
}

void UnloadKeyDialogs() {
    KeyBoardOptionsWindow().UnloadDialog();
    HotKeyOptionsWindow().UnloadDialog();
    OptionsWindow().UnloadDialog();
    ExtrasWindow().UnloadDialog();
    PresetNameWindow().UnloadDialog();
}
