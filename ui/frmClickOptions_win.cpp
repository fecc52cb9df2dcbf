// Placeholder until the click options land.
#include "ui/Dialogs_win.h"

void ShowClickOptions() {}
void RefreshClickOptions() {}
void HideClickOptions() {}
void UnloadClickOptions() {}
