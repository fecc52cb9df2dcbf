// Reduces the mouse window messages both hooks report to MouseEvent codes, and keeps
// which buttons are held so that a press reported twice counts once.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "hook/MouseEvent.h"

// The Win32 message numbers, so that this side needs no <windows.h>.
namespace wm {
inline constexpr uint32_t LButtonDown = 0x201, LButtonUp = 0x202, LButtonDblClk = 0x203;
inline constexpr uint32_t RButtonDown = 0x204, RButtonUp = 0x205, RButtonDblClk = 0x206;
inline constexpr uint32_t MButtonDown = 0x207, MButtonUp = 0x208, MButtonDblClk = 0x209;
inline constexpr uint32_t MouseWheel = 0x20A, MouseHWheel = 0x20E;
inline constexpr uint32_t XButtonDown = 0x20B, XButtonUp = 0x20C, XButtonDblClk = 0x20D;
inline constexpr uint32_t NcLButtonDown = 0xA1, NcLButtonUp = 0xA2, NcLButtonDblClk = 0xA3;
inline constexpr uint32_t NcRButtonDown = 0xA4, NcRButtonUp = 0xA5, NcRButtonDblClk = 0xA6;
inline constexpr uint32_t NcMButtonDown = 0xA7, NcMButtonUp = 0xA8, NcMButtonDblClk = 0xA9;
inline constexpr uint32_t NcXButtonDown = 0xAB, NcXButtonUp = 0xAC, NcXButtonDblClk = 0xAD;
}  // namespace wm

// Non-client button messages as their client counterparts; the non-client X buttons
// (back/forward over a title bar) count as the middle button. Anything else unchanged.
uint32_t ClientMessage(uint32_t message);

// The low-level hook passes on releases only (presses and double-clicks come from the
// mouse-hook library, so none is counted twice) and both wheels; the sideways wheel makes
// no event, only a click sound.
bool TakenFromLowLevelHook(uint32_t message);
// +1, 0 or -1: the sign of the wheel delta in the high word of a low-level hook's mouseData.
int32_t WheelSign(uint32_t mouseData);

// Which buttons are down, in the translator's order: 0 left, 1 middle, 2 right.
struct ButtonStates {
    bool down[3] = {false, false, false};
};

// The hooks report logical buttons but GetAsyncKeyState reads the physical ones: with the
// buttons swapped, the physical right button is the logical left.
ButtonStates LogicalButtons(bool physicalLeft, bool physicalMiddle, bool physicalRight, bool swapped);

class MouseMessageTranslator {
public:
    // The event for a message, or nothing (moves, client X buttons, a press of a button
    // already held). data is passed on with the wheel and dropped for buttons.
    std::optional<MouseEvent> Translate(uint32_t message, int32_t data);

    // ButtonIsDown: 0 left, 1 middle, 2 right.
    bool ButtonIsDown(int button) const { return buttonIsDown_[button]; }
    bool AnyButtonDown() const { return buttonIsDown_[0] || buttonIsDown_[1] || buttonIsDown_[2]; }

    // A release can be lost (pressed over an elevated window, a lock mid-click, a hook
    // dropped): each button held here but up in `now` for kLostReleaseAfterMs (the clock in
    // nowMs, wrapping) is released, and its release event returned, left to right. The wait
    // lets a release the hook has seen but not yet delivered come first. A button released
    // this way is not released again.
    std::vector<MouseEvent> ReleaseLost(const ButtonStates& now, uint32_t nowMs);
    // Forgets every held button without an event, after a lock or a display change.
    void ForgetHeld();

    static constexpr uint32_t kLostReleaseAfterMs = 250;

private:
    bool buttonIsDown_[3] = {false, false, false};
    std::optional<uint32_t> upSince_[3];  // when the system first said a held button was up
};
