#include "overlays/ClickIndicator.h"

#include <algorithm>

namespace {

double NonNegative(double value) { return std::max(value, 0.0); }

// A ring box inset by b from the outline that spans factor × the client area.
ShapeRect RingBox(Size client, double factor, double b) {
    const double w = client.width;
    const double h = client.height;
    return {(1 - factor) * w / 2 + b, (1 - factor) * h / 2 + b, factor * w - 2 * b, factor * h - 2 * b};
}

}  // namespace

int32_t ClickWindowSide(int32_t buttonsSize) {
    return 2 * std::clamp(buttonsSize, kButtonsSizeMin, kButtonsSizeMax) + 1;
}

RingPens RingPensForWidth(int32_t width) {
    const int32_t w = std::max(width, 0);
    return {w, w / 2};
}

bool RingFilled(RingShape shape, bool discs) { return discs && shape != RingShape::DoubleOuter; }

float RingFactor(int button, bool ringsSameSize) {
    if (ringsSameSize || button == 0) return 0.7f;
    return button == 1 ? 0.78f : 0.87f;
}

RingLayout LayoutRings(Size client, const std::array<int32_t, kClickButtons>& singleWidths, bool ringsSameSize,
                       const RingLayout& previous) {
    RingLayout layout = previous;
    // Right first: with different sizes it is the outermost ring.
    for (int k = kClickButtons - 1; k >= 0; --k) {
        const double factor = RingFactor(k, ringsSameSize);
        const double width = std::max(singleWidths[k], 0);
        ButtonRings& rings = layout[k];

        // The pen is centred on the box outline, so the box is inset by half the pen.
        const ShapeRect single = RingBox(client, factor, RoundEven(width / 2));
        if (single.width >= 0 && single.height >= 0) rings.single = single;

        rings.outer = RingBox(client, factor, 0);
        rings.outer.width = NonNegative(rings.outer.width);
        rings.outer.height = NonNegative(rings.outer.height);
        rings.inner = RingBox(client, factor, width);
        rings.inner.width = NonNegative(rings.inner.width);
        rings.inner.height = NonNegative(rings.inner.height);
    }
    return layout;
}

std::array<Rect, 9> CaptionCopies(Size client) {
    const int32_t w = std::max(client.width, 0);
    const int32_t h = std::max(client.height, 0);
    std::array<Rect, 9> copies{};
    for (size_t i = 0; i < copies.size(); ++i) {
        const Point d = kOutlineOffsets[i];
        copies[i] = {d.x - 2, d.y, d.x - 2 + w, d.y + h};
    }
    return copies;
}

Point LetterOrigin(int buttonIndex, Size letter, Size client, const ShapeRect& ring, int32_t ringWidth) {
    const double halfPen = Int(ringWidth / 2.0);
    const double lw = letter.width;
    const double lh = letter.height;
    const double sideY = Int(client.height / 2.0) - Int(lh / 2) - 3.0;
    switch (buttonIndex) {
        case 0:
            return {RoundEven(ring.left - halfPen + 3), RoundEven(sideY)};
        case 1:
            return {RoundEven(Int(client.width / 2.0) - Int(lw / 2)),
                    RoundEven(halfPen + ring.height + ring.top - lh - 2)};
        default:
            return {RoundEven(halfPen + ring.width + ring.left - lw - 3), RoundEven(sideY)};
    }
}

std::array<Point, 9> LetterCopies(Point origin) {
    std::array<Point, 9> copies{};
    for (size_t i = 0; i < copies.size(); ++i)
        copies[i] = {origin.x + kOutlineOffsets[i].x - 2, origin.y + kOutlineOffsets[i].y};
    return copies;
}

void ClickIndicatorState::MakeTrans(int32_t alpha) { alphaOriginal_ = std::clamp(alpha, 0, 255); }

ClickAction ClickIndicatorState::MouseEvent(int32_t code) {
    if (code < 1 || code > 9) return ClickAction::None;
    const int button = (code - 1) / 3;
    switch ((code - 1) % 3) {
        case 0:
            BeginFade();
            return ClickAction::BeginFade;
        case 1:
            BeginPress();
            visible_[button] = {true, false, false};
            break;
        default:
            BeginPress();
            visible_[button] = {false, true, true};
            break;
    }
    buttonIndex_ = button;
    return ClickAction::BeginPress;
}

void ClickIndicatorState::BeginPress() {
    timerRunning_ = false;
    ClearRings();
    shown_ = true;
    Tracking = true;
}

void ClickIndicatorState::BeginFade() {
    timerRunning_ = true;
    // The slider stops at 5 s; an edited settings file cannot make the fade endless.
    const float seconds = std::min(FadeSeconds, 5.0f);
    // At alpha 0 the step would be 0 and the fade would never end; there is nothing to fade.
    if (seconds > 0 && alphaOriginal_ > 0) {
        fadeStep_ = static_cast<float>(alphaOriginal_ / static_cast<double>(seconds * 20));
        fadeAlpha_ = static_cast<float>(alphaOriginal_);
    } else {
        fadeStep_ = 1;
        fadeAlpha_ = 0;
    }
    Tracking = false;
}

void ClickIndicatorState::ClearRings() { visible_ = {}; }

FadeTick ClickIndicatorState::Tick() {
    if (!timerRunning_) return {};
    fadeAlpha_ -= fadeStep_;
    if (fadeAlpha_ < 0) {
        timerRunning_ = false;
        ClearRings();
        shown_ = false;
        return {FadeTickKind::Ended, 0};
    }
    return {FadeTickKind::Alpha, RoundEven(fadeAlpha_)};
}

bool ClickIndicatorState::RingVisible(int button, RingShape shape) const {
    if (button < 0 || button >= kClickButtons) return false;
    return visible_[button][static_cast<int>(shape)];
}
