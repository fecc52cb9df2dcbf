// Placeholder until the boundary and help windows land.
#include "ui/Dialogs_win.h"

void ShowSetBoundary() {}
void ShowHelpWindow(HWND) {}
void HideBoundaryAndHelp() {}
void UnloadBoundaryAndHelp() {}
