#include "hook/HookHealth.h"

bool HookHealth::ReinstallNeeded(const HookHealthSample& sample) {
    if (sample.pointerWhereHookSawIt) return false;
    // Signed differences keep the comparison right across the tick count's wrap.
    const auto missed = static_cast<int32_t>(sample.lastInput - sample.hookLastSeen);
    if (missed <= static_cast<int32_t>(kMissedInputMs)) return false;
    if (lastReinstall_ && sample.now - *lastReinstall_ < kReinstallGapMs) return false;
    lastReinstall_ = sample.now;
    ++reinstalls_;
    return true;
}
