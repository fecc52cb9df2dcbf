// Placeholder until the key and shortcut dialogs land.
#include "ui/Dialogs_win.h"

void ShowKeyBoardOptions(HWND) {}
void ShowHotKeyOptions(HotKeyAction, HWND, HWND) {}
void ShowOptions(HWND) {}
void RefreshKeyDialogs() {}
void HideKeyDialogs() {}
void UnloadKeyDialogs() {}
