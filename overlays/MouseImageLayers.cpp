#include "overlays/MouseImageLayers.h"

#include "hook/MouseEvent.h"

#include <algorithm>

bool MouseImageLayers::MouseEvent(int32_t code, int32_t argument) {
    if (code == WheelTurned) {
        on_[argument == 1 ? WheelUpLayer : WheelDownLayer] = true;
        return true;
    }
    // Codes 1..9 come in threes per button (left, middle, right): release, press, double press.
    if (code >= LeftUp && code <= RightDouble) on_[LeftLayer + (code - 1) / 3] = (code - 1) % 3 != 0;
    return false;
}

void MouseImageLayers::TimerTick() {
    on_[WheelUpLayer] = false;
    on_[WheelDownLayer] = false;
}

void MouseImageLayers::ClearButtons() {
    std::fill(on_.begin() + 1, on_.end(), false);
}

std::array<Rect, 5> MouseImageCaptionRects(Size client) {
    static constexpr Point kOffsets[5] = {{1, 1}, {0, 1}, {1, 0}, {2, 1}, {1, 2}};
    const int32_t w = std::max(client.width, 0);
    const int32_t h = std::max(client.height, 0) / 2;
    std::array<Rect, 5> rects{};
    for (size_t i = 0; i < rects.size(); ++i) {
        const int32_t left = kOffsets[i].x - 1;
        const int32_t top = h + kOffsets[i].y;
        rects[i] = {left, top, left + w, top + h};
    }
    return rects;
}

Size MouseImageSize(int32_t width, Size picture) {
    const int32_t w = std::clamp(width, kMouseImageSizeMin, kMouseImageSizeMax);
    if (picture.width <= 0 || picture.height <= 0) return {w, w};
    const double ratio = static_cast<double>(picture.height) / picture.width;
    return {w, RoundEven(w * ratio)};
}
