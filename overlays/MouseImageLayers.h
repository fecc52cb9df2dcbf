// The mouse image's layers (body, three buttons, two wheel marks) and the layout of its
// caption and window.
#pragma once

#include "base/Geometry.h"

#include <array>
#include <cstdint>

inline constexpr int kMouseImageLayers = 6;
enum MouseImageLayer : int { BodyLayer = 0, LeftLayer, MiddleLayer, RightLayer, WheelUpLayer, WheelDownLayer };
inline constexpr int32_t kMouseImageSizeMin = 20;
inline constexpr int32_t kMouseImageSizeMax = 150;
inline constexpr int32_t kWheelHighlightMs = 300;

// Which layers are drawn. Every call below is followed by a compose of the picture.
class MouseImageLayers {
public:
    // Returns true when the 300 ms wheel timer must be started.
    bool MouseEvent(int32_t code, int32_t argument);
    // The wheel timer fired: both wheel marks go dark.
    void TimerTick();
    // Everything but the body goes dark (pausing).
    void ClearButtons();

    bool IsOn(int layer) const { return layer >= 0 && layer < kMouseImageLayers && on_[layer]; }

private:
    std::array<bool, kMouseImageLayers> on_{true, false, false, false, false, false};
};

// The five caption labels in the lower half of the window: a black copy with white ones
// one pixel left, above, right and below it.
std::array<Rect, 5> MouseImageCaptionRects(Size client);

// Window size for a width value, keeping the picture's height/width ratio. A picture
// without a size gives a square window.
Size MouseImageSize(int32_t width, Size picture);
