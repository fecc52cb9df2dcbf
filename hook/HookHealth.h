// Windows removes a low-level hook without a word once it has kept input waiting past the
// system's timeout. The only sign is input the hook never saw: the system's last-input
// time moves on and the pointer is somewhere the hook never reported. HookHealth decides
// from those when to install the hook again, and keeps that to once a second.
#pragma once

#include <cstdint>
#include <optional>

// Times are GetTickCount milliseconds, which wrap after 49.7 days.
struct HookHealthSample {
    uint32_t hookLastSeen = 0;  // the hook's latest event, or its installation
    uint32_t lastInput = 0;     // GetLastInputInfo
    // The pointer is where the hook last reported it: keys move the last-input time too, and
    // they never reach a mouse hook.
    bool pointerWhereHookSawIt = true;
    uint32_t now = 0;
};

class HookHealth {
public:
    // Input younger than this that the hook missed is only its latency.
    static constexpr uint32_t kMissedInputMs = 1000;
    static constexpr uint32_t kReinstallGapMs = 1000;

    // True when the hook is to be installed again now; the caller does it and the sample's
    // hookLastSeen then starts again from the installation.
    bool ReinstallNeeded(const HookHealthSample& sample);
    int32_t Reinstalls() const { return reinstalls_; }

private:
    std::optional<uint32_t> lastReinstall_;
    int32_t reinstalls_ = 0;
};
