// The mouse-hook library's bookkeeping, kept portable: which button a low-level hook
// event is, whether a press completes a double-click, and which window message it
// becomes. The library itself only asks Windows for the facts.
#pragma once

#include <cstdint>
#include <optional>

enum class MouseButton { Left, Middle, Right, X1, X2 };
enum class ButtonAction { Down, Up, Double };

struct ButtonInput {
    MouseButton button;
    bool press;
    friend bool operator==(const ButtonInput&, const ButtonInput&) = default;
};

// A low-level hook's message (always a client one) as a button press or release;
// xButton is the high word of the hook's mouseData (1 or 2 for the X buttons).
// Moves, wheel turns and anything unknown give nothing.
std::optional<ButtonInput> ButtonFromLowLevel(uint32_t message, uint32_t xButton);

// The window message for a button action, client or non-client.
uint32_t ButtonMessage(MouseButton button, ButtonAction action, bool nonClient);

// A WM_NCHITTEST result names a part of a window's frame (caption, border, menu,
// scroll bar, frame buttons) rather than its client area or nothing at all.
bool IsNonClientHit(int64_t hitTest);

// The system's double-click time and rectangle (SM_CXDOUBLECLK by SM_CYDOUBLECLK,
// centred on the first press).
struct DoubleClickArea {
    uint32_t milliseconds;
    int32_t width;
    int32_t height;
};

// The low-level hook sees only raw presses; this tells which of them a window would
// have got as a double-click.
class DoubleClickDetector {
public:
    // True when this press is the second press of the same button within the time
    // and rectangle of the one before; the press after a double-click starts afresh.
    // time is the hook's millisecond tick count, which may wrap.
    bool Press(MouseButton button, uint32_t time, int32_t x, int32_t y, const DoubleClickArea& area);

private:
    bool armed_ = false;
    MouseButton button_ = MouseButton::Left;
    uint32_t time_ = 0;
    int32_t x_ = 0;
    int32_t y_ = 0;
};
