// The key-selection, shortcut and options dialogs, one window each for the whole run.
#include "ui/Dialogs_win.h"
#include "ui/frmHotKeyOptions_win.h"
#include "ui/frmKeyBoardOptions_win.h"
#include "ui/frmOptions_win.h"

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

void ShowKeyBoardOptions(HWND owner) {
    KeyBoardOptionsWindow().Refresh();
    KeyBoardOptionsWindow().ShowDialog(owner);
}

void ShowHotKeyOptions(HotKeyAction action, HWND owner, HWND shortcutLabel) {
    HotKeyOptionsWindow().ShowForm(action, shortcutLabel, owner);
}

void ShowOptions(HWND owner) {
    OptionsWindow().Refresh();
    OptionsWindow().ShowDialog(owner);
}

void RefreshKeyDialogs() {
    KeyBoardOptionsWindow().Refresh();
    HotKeyOptionsWindow().Refresh();
    OptionsWindow().Refresh();
}

void HideKeyDialogs() {
    OptionsWindow().HideDialog();
    KeyBoardOptionsWindow().HideDialog();
    HotKeyOptionsWindow().HideDialog();
}

void UnloadKeyDialogs() {
    KeyBoardOptionsWindow().UnloadDialog();
    HotKeyOptionsWindow().UnloadDialog();
    OptionsWindow().UnloadDialog();
}
