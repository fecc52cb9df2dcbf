#include "overlays/WheelArrowGeometry.h"

#include "hook/MouseEvent.h"
#include "overlays/ClickIndicator.h"

#include <algorithm>

Size WheelArrowSize(int32_t buttonsSize) {
    const double s = std::clamp(buttonsSize, kButtonsSizeMin, kButtonsSizeMax);
    return {RoundEven(1.2 * s + 1), RoundEven(3 * s + 1)};
}

std::array<Stroke, 2> WheelChevron(int32_t direction, Size client, int32_t penWidth) {
    // Keeps the thick pen's end caps inside the window.
    const int32_t h = Int(std::max(penWidth, 0) / 2.0) + 1;
    const int32_t middle = Int(client.width / 2.0);
    const int32_t a = RoundEven(static_cast<double>(middle) - h);
    if (direction == kWheelUp) {
        const Point apex{middle, h};
        return {{{apex, {middle + a, a + h}}, {apex, {h, a + h}}}};
    }
    const int32_t bottom = client.height - h;
    const Point apex{middle, bottom};
    return {{{apex, {middle + a, bottom - a}}, {apex, {h, bottom - a}}}};
}

bool WheelArrowReacts(int32_t direction, int32_t code, int32_t argument) {
    if (code != WheelTurned) return false;
    return argument == 1 ? direction == kWheelUp : direction == kWheelDown;
}
