#include "ui/Dialogs_win.h"

// Each group of dialogs keeps its own windows; these reach all of them.
void RefreshKeyDialogs();
void HideKeyDialogs();
void UnloadKeyDialogs();
void RefreshClickOptions();
void HideClickOptions();
void UnloadClickOptions();
void HideBoundaryAndHelp();
void UnloadBoundaryAndHelp();

void RefreshDialogs() {
    RefreshKeyDialogs();
    RefreshClickOptions();
}

void HideDialogs() {
    HideClickOptions();
    HideKeyDialogs();
    HideBoundaryAndHelp();
}

void UnloadDialogs() {
    UnloadKeyDialogs();
    UnloadClickOptions();
    UnloadBoundaryAndHelp();
}
