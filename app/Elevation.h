// Windows of a process that runs above Glimmora (an elevated program): their input never
// reaches our hooks. Glimmora says so once each time such a window comes to the front, and
// offers to restart as administrator once one has been seen. Levels are the system's
// integrity levels (the last part of the token's label).
#pragma once

#include <cstdint>

inline constexpr uint32_t kMediumIntegrity = 0x2000;
inline constexpr uint32_t kHighIntegrity = 0x3000;
// A process whose level cannot be read (its token is denied to us) runs above us.
inline constexpr uint32_t kUnreadableIntegrity = 0xFFFFFFFF;

class AdminWindows {
public:
    explicit AdminWindows(uint32_t ownLevel = kHighIntegrity) : own_(ownLevel) {}

    // Elevated (high or above), Glimmora sees every window's input.
    bool Elevated() const { return own_ >= kHighIntegrity; }
    // A look at the foreground window: changed when it is another window than at the last
    // look, level its process's (only read on a change). True when the notice shows now:
    // once per change to a window above us, not while paused.
    bool ForegroundSeen(bool changed, uint32_t level, bool paused);
    // "Restart as administrator" is offered once such a window has been seen: most users
    // never meet one, and their menus stay as they were.
    bool OfferRestart() const { return !Elevated() && seen_; }

private:
    uint32_t own_;
    bool seen_ = false;
};
