#include "app/Elevation.h"

bool AdminWindows::ForegroundSeen(bool changed, uint32_t level, bool paused) {
    if (!changed || Elevated() || level <= own_) return false;
    seen_ = true;
    return !paused;
}
