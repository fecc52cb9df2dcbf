// What the hooks tell the overlays: one of ten event codes and its argument.
#pragma once

#include <cstdint>

enum MouseEventCode : int32_t {
    WheelTurned = 0,
    LeftUp = 1,
    LeftDown = 2,
    LeftDouble = 3,
    MiddleUp = 4,
    MiddleDown = 5,
    MiddleDouble = 6,
    RightUp = 7,
    RightDown = 8,
    RightDouble = 9,
};

// data: the wheel direction for WheelTurned (+1 away from the user, -1 towards,
// 0 when unknown), 0 for the button codes.
struct MouseEvent {
    int32_t code = 0;
    int32_t data = 0;
    friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};
