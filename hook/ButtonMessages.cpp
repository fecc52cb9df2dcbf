#include "hook/ButtonMessages.h"

#include <cstdlib>

#include "hook/MouseMessage.h"

std::optional<ButtonInput> ButtonFromLowLevel(uint32_t message, uint32_t xButton) {
    switch (message) {
        case wm::LButtonDown: return ButtonInput{MouseButton::Left, true};
        case wm::LButtonUp: return ButtonInput{MouseButton::Left, false};
        case wm::MButtonDown: return ButtonInput{MouseButton::Middle, true};
        case wm::MButtonUp: return ButtonInput{MouseButton::Middle, false};
        case wm::RButtonDown: return ButtonInput{MouseButton::Right, true};
        case wm::RButtonUp: return ButtonInput{MouseButton::Right, false};
        case wm::XButtonDown:
        case wm::XButtonUp:
            if (xButton != 1 && xButton != 2) return std::nullopt;
            return ButtonInput{xButton == 1 ? MouseButton::X1 : MouseButton::X2, message == wm::XButtonDown};
        default: return std::nullopt;
    }
}

uint32_t ButtonMessage(MouseButton button, ButtonAction action, bool nonClient) {
    // Both families keep down, up, double-click in consecutive numbers.
    uint32_t first = 0;
    switch (button) {
        case MouseButton::Left: first = nonClient ? wm::NcLButtonDown : wm::LButtonDown; break;
        case MouseButton::Middle: first = nonClient ? wm::NcMButtonDown : wm::MButtonDown; break;
        case MouseButton::Right: first = nonClient ? wm::NcRButtonDown : wm::RButtonDown; break;
        case MouseButton::X1:
        case MouseButton::X2: first = nonClient ? wm::NcXButtonDown : wm::XButtonDown; break;
    }
    return first + static_cast<uint32_t>(action);
}

bool IsNonClientHit(int64_t hitTest) {
    // HTERROR -2, HTTRANSPARENT -1, HTNOWHERE 0 and HTCLIENT 1 are no frame part.
    return hitTest >= 2;
}

bool DoubleClickDetector::Press(MouseButton button, uint32_t time, int32_t x, int32_t y,
                                const DoubleClickArea& area) {
    const bool isDouble = armed_ && button == button_ && time - time_ <= area.milliseconds &&
                          std::abs(int64_t{x} - x_) * 2 <= area.width &&
                          std::abs(int64_t{y} - y_) * 2 <= area.height;
    armed_ = !isDouble;
    button_ = button;
    time_ = time;
    x_ = x;
    y_ = y;
    return isDouble;
}
