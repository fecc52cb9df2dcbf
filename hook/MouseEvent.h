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

// Left-button input that the system made from a finger or a pen carries a signature in its
// extra information, bit 0x80 set for a finger; anything else is the mouse's.
enum class PointerKind : uint8_t { Mouse, Touch, Pen };
constexpr PointerKind PointerKindOf(uint64_t extraInfo) {
    if ((extraInfo & 0xFFFFFF00u) != 0xFF515700u) return PointerKind::Mouse;
    return (extraInfo & 0x80u) ? PointerKind::Touch : PointerKind::Pen;
}

// data: the wheel direction for WheelTurned (+1 away from the user, -1 towards,
// 0 when unknown), 0 for the button codes.
struct MouseEvent {
    int32_t code = 0;
    int32_t data = 0;
    friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};
