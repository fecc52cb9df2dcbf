// The click indicator's rings, letters and fade: everything a ring window decides,
// kept apart from the window so it can be checked without one.
#pragma once

#include "base/Geometry.h"
#include "overlays/HaloGeometry.h"

#include <array>
#include <cstdint>

inline constexpr int32_t kButtonsSizeMin = 5;
inline constexpr int32_t kButtonsSizeMax = 90;
inline constexpr int kClickButtons = 3;  // 0 left, 1 middle, 2 right
inline constexpr int32_t kFadeTickMs = 50;

// Side of the square ring window for a size (radius) value: 2 × size + 1.
int32_t ClickWindowSide(int32_t buttonsSize);

// The three ring shapes a button has: its single ring and the two rings of a double-click.
enum class RingShape : int { Single = 0, DoubleOuter = 1, DoubleInner = 2 };
inline constexpr int kRingShapes = 3;

// Pen widths from a button's line width: the single ring uses it whole, the double rings half.
struct RingPens {
    int32_t single = 0;
    int32_t dbl = 0;
    bool operator==(const RingPens&) const = default;
};
RingPens RingPensForWidth(int32_t width);

// In disc mode the single ring and the inner double ring are filled; the outer double
// ring stays a thin ring around the disc.
bool RingFilled(RingShape shape, bool discs);

// Outer diameter of a button's ring as a share of the window.
float RingFactor(int button, bool ringsSameSize);

struct ButtonRings {
    ShapeRect single;
    ShapeRect outer;  // double ring 0
    ShapeRect inner;  // double ring 1
    bool operator==(const ButtonRings&) const = default;
};
using RingLayout = std::array<ButtonRings, kClickButtons>;

// Re-layout of one window. singleWidths are the single rings' border widths. A single
// ring whose box would have a negative width or height keeps its box from previous.
RingLayout LayoutRings(Size client, const std::array<int32_t, kClickButtons>& singleWidths, bool ringsSameSize,
                       const RingLayout& previous);

// (dx, dy) of the nine label copies: a black copy 0 with eight white copies around it.
inline constexpr std::array<Point, 9> kOutlineOffsets = {
    {{2, 2}, {1, 1}, {3, 1}, {1, 3}, {3, 3}, {0, 2}, {2, 0}, {4, 2}, {2, 4}}};

// The modifier caption: copy i covers the client area, shifted by its outline offset.
std::array<Rect, 9> CaptionCopies(Size client);

// Language string of each button's letter: "L", "M", "R".
inline constexpr std::array<int32_t, kClickButtons> kLetterStringIds = {108, 109, 110};

// Text origin of a button's letter, just inside its single ring: letter is the measured
// size of the letter label, ring and ringWidth the button's single ring box and border.
Point LetterOrigin(int buttonIndex, Size letter, Size client, const ShapeRect& ring, int32_t ringWidth);
// Top-left corners of the nine letter copies for a text origin.
std::array<Point, 9> LetterCopies(Point origin);

enum class ClickAction {
    None,        // code not for the click indicator
    BeginPress,  // stop the fade timer, clear rings and texts, show on top at AlphaOriginal
    BeginFade,   // start the fade timer
};

enum class FadeTickKind {
    Idle,    // the fade is not running
    Alpha,   // apply alpha
    Ended,   // stop the timer, clear rings and texts, hide the window
};
struct FadeTick {
    FadeTickKind kind = FadeTickKind::Idle;
    int32_t alpha = 0;
};

// One ring window's state. Codes 1..9 drive it (see MouseEventCode); after any of them
// the window places its letters and repaints.
class ClickIndicatorState {
public:
    // Follow the pointer: set from press until release.
    bool Tracking = false;
    // Fade-out time, 0..5 s; the slider sets it on every window.
    float FadeSeconds = 0;

    // Stores the user's alpha, re-applied at every press.
    void MakeTrans(int32_t alpha);
    int32_t AlphaOriginal() const { return alphaOriginal_; }

    ClickAction MouseEvent(int32_t code);
    // The 50 ms timer.
    FadeTick Tick();

    int32_t ButtonIndex() const { return buttonIndex_; }
    bool RingVisible(int button, RingShape shape) const;
    bool TimerRunning() const { return timerRunning_; }
    bool Shown() const { return shown_; }
    float FadeAlpha() const { return fadeAlpha_; }

private:
    void BeginPress();
    void BeginFade();
    void ClearRings();

    int32_t alphaOriginal_ = 0;
    int32_t buttonIndex_ = 0;
    float fadeStep_ = 0;
    float fadeAlpha_ = 0;
    bool timerRunning_ = false;
    bool shown_ = false;
    std::array<std::array<bool, kRingShapes>, kClickButtons> visible_{};
};
