#include "hook/MouseEvent.h"
#include "overlays/ClickIndicator.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/MouseImageLayers.h"
#include "overlays/WheelArrowGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr std::array<int32_t, 3> kDefaultWidths = {11, 8, 6};  // left, middle, right

void ExpectBox(const ShapeRect& actual, double left, double width, const char* what) {
    EXPECT_NEAR(actual.left, left, 1e-5) << what;
    EXPECT_NEAR(actual.top, left, 1e-5) << what;  // the windows are square
    EXPECT_NEAR(actual.width, width, 1e-5) << what;
    EXPECT_NEAR(actual.height, width, 1e-5) << what;
}

// Ticks from a release until the ring is gone.
int TicksToVanish(int32_t alpha, float seconds) {
    ClickIndicatorState ring;
    ring.MakeTrans(alpha);
    ring.FadeSeconds = seconds;
    ring.MouseEvent(LeftDown);
    ring.MouseEvent(LeftUp);
    for (int tick = 1; tick <= 1000; ++tick)
        if (ring.Tick().kind == FadeTickKind::Ended) return tick;
    return -1;
}

TEST(ClickIndicator, RingsAtSize44WithDefaultWidths) {
    const Size client{ClickWindowSide(44), ClickWindowSide(44)};
    // The slider's 5..90 bounds whatever a settings file holds.
    const std::pair<int32_t, int32_t> sides[] = {{44, 89}, {5, 11}, {90, 181}, {0, 11}, {-5, 11}, {kMax, 181}};
    for (auto [size, side] : sides) EXPECT_EQ(ClickWindowSide(size), side) << size;
    const RingLayout rings = LayoutRings(client, kDefaultWidths, false, {});
    // Single ring inset by half its pen (5.5 rounds to 6); inner double ring by the whole pen.
    struct Case { int button; double single, singleW, outer, outerW, inner, innerW; };
    const Case cases[] = {
        {0, 19.35, 50.3, 13.35, 62.3, 24.35, 40.3},
        {1, 13.79, 61.42, 9.79, 69.42, 17.79, 53.42},
        {2, 8.785, 71.43, 5.785, 77.43, 11.785, 65.43},
    };
    for (const Case& c : cases) {
        ExpectBox(rings[c.button].single, c.single, c.singleW, "single");
        ExpectBox(rings[c.button].outer, c.outer, c.outerW, "outer");
        ExpectBox(rings[c.button].inner, c.inner, c.innerW, "inner");
    }
    EXPECT_DOUBLE_EQ(rings[0].outer.width, 89 * static_cast<double>(0.7f));  // single-precision factor
    // Same size: every button at the left ring's factor.
    const RingLayout same = LayoutRings(client, kDefaultWidths, true, {});
    ExpectBox(same[2].outer, 13.35, 62.3, "same-size right");
    EXPECT_EQ(RingPensForWidth(11), (RingPens{11, 5}));
    EXPECT_EQ(RingPensForWidth(2), (RingPens{2, 1}));
    EXPECT_EQ(RingPensForWidth(-3), (RingPens{0, 0}));
}

TEST(ClickIndicator, TooWideAPenKeepsTheSingleRingAndEmptiesTheInnerOne) {
    const Size client{ClickWindowSide(5), ClickWindowSide(5)};  // 11: left ring 7.7 across
    RingLayout previous{};
    previous[0].single = {1, 2, 3, 4};
    // Width 6: 7.7 - 6 still fits. Width 7 rounds its half up to 4: 7.7 - 8 < 0.
    const RingLayout fits = LayoutRings(client, {6, 2, 2}, false, previous);
    ExpectBox(fits[0].single, 1.65 + 3, 1.7, "fits");
    for (int32_t width : {7, 20, kMax}) {
        const RingLayout kept = LayoutRings(client, {width, 2, 2}, false, previous);
        EXPECT_EQ(kept[0].single, previous[0].single) << width;
        EXPECT_EQ(kept[0].inner.width, 0) << width;
        EXPECT_EQ(kept[0].inner.height, 0) << width;
        ExpectBox(kept[0].outer, 1.65, 7.7, "outer unaffected");
    }
    for (Size bad : {Size{0, 0}, Size{-50, -50}, Size{kMax, kMax}}) {
        for (const ButtonRings& r : LayoutRings(bad, {kMin, kMax, 0}, false, {}))
            for (const ShapeRect& box : {r.single, r.outer, r.inner})
                EXPECT_TRUE(box.width >= 0 && box.height >= 0 && std::isfinite(box.left));
    }
}

TEST(ClickIndicator, LettersSitInsideEachRingWithAnOutline) {
    const Size client{89, 89};
    const RingLayout rings = LayoutRings(client, kDefaultWidths, false, {});
    const Size letter{12, 19};
    const Point expected[] = {{17, 32}, {38, 58}, {68, 32}};  // left side, bottom, right side
    for (int b = 0; b < kClickButtons; ++b)
        EXPECT_EQ(LetterOrigin(b, letter, client, rings[b].single, kDefaultWidths[b]), expected[b]) << b;

    const auto copies = LetterCopies({17, 32});  // black copy 0 two below, white copies around it
    EXPECT_TRUE(copies[0] == (Point{17, 34}) && copies[5] == (Point{15, 34}) && copies[8] == (Point{17, 36}));
    EXPECT_EQ(copies[6], (Point{17, 32}));
    const auto caption = CaptionCopies(client);
    EXPECT_EQ(caption[0], (Rect{0, 2, 89, 91}));
    EXPECT_EQ(caption[7], (Rect{2, 2, 91, 91}));
}

TEST(ClickIndicator, EveryCodeDrivesTheRingsAsAPressReleaseOrDoubleClick) {
    using S = RingShape;
    struct Case { int32_t code; ClickAction action; int button; bool single, dbl; };
    constexpr auto kPress = ClickAction::BeginPress, kFade = ClickAction::BeginFade, kNone = ClickAction::None;
    const Case cases[] = {
        {LeftUp, kFade, 0, false, false},      {LeftDown, kPress, 0, true, false},
        {LeftDouble, kPress, 0, false, true},  {MiddleUp, kFade, 0, false, false},
        {MiddleDown, kPress, 1, true, false},  {MiddleDouble, kPress, 1, false, true},
        {RightUp, kFade, 0, false, false},     {RightDown, kPress, 2, true, false},
        {RightDouble, kPress, 2, false, true}, {WheelTurned, kNone, 0, false, false},
        {10, kNone, 0, false, false},          {-1, kNone, 0, false, false},
    };
    for (const Case& c : cases) {
        ClickIndicatorState ring;
        EXPECT_EQ(ring.MouseEvent(c.code), c.action) << c.code;
        const bool pressed = c.action == ClickAction::BeginPress;
        EXPECT_EQ(ring.Tracking, pressed) << c.code;
        EXPECT_EQ(ring.Shown(), pressed) << c.code;
        EXPECT_EQ(ring.TimerRunning(), c.action == ClickAction::BeginFade) << c.code;
        EXPECT_EQ(ring.ButtonIndex(), c.button) << c.code;
        for (int b = 0; b < kClickButtons; ++b)
            for (S shape : {S::Single, S::DoubleOuter, S::DoubleInner})
                EXPECT_EQ(ring.RingVisible(b, shape), b == c.button && (shape == S::Single ? c.single : c.dbl))
                    << c.code << " button " << b << " shape " << static_cast<int>(shape);
    }
    // A double-click turns the single ring into the double one; a release leaves the ring
    // where it is; a press on a fading window stops the fade and clears the old button.
    ClickIndicatorState ring;
    for (int32_t code : {LeftDown, LeftDouble}) ring.MouseEvent(code);
    EXPECT_FALSE(ring.RingVisible(0, S::Single));
    EXPECT_TRUE(ring.RingVisible(0, S::DoubleInner));
    ring.MouseEvent(LeftUp);
    EXPECT_TRUE(ring.RingVisible(0, S::DoubleOuter));
    EXPECT_FALSE(ring.Tracking);
    ring.MouseEvent(RightDown);
    EXPECT_FALSE(ring.TimerRunning());
    EXPECT_FALSE(ring.RingVisible(0, S::DoubleOuter));
    EXPECT_EQ(ring.Tick().kind, FadeTickKind::Idle);
    // In disc mode the outer double ring stays a ring around the filled inner one.
    EXPECT_TRUE(RingFilled(S::DoubleInner, true) && RingFilled(S::Single, true));
    EXPECT_FALSE(RingFilled(S::DoubleOuter, true) || RingFilled(S::Single, false));
}

TEST(ClickIndicator, FadeRunsInSinglePrecisionStepsOf50ms) {
    struct Case { int32_t alpha; float seconds; int ticks; };
    // 6.4f steps end just below 0; 12.75 steps hit 0 exactly and still show; 1.28f is a
    // hair under 1.28. Alpha 0 has nothing to fade (no endless timer); no fade is slower than 5 s.
    const Case cases[] = {{128, 1.0f, 20}, {255, 1.0f, 21}, {128, 5.0f, 101}, {255, 5.0f, 100}, {128, 0.0f, 1},
                          {128, -2.0f, 1}, {128, NAN, 1},   {0, 1.0f, 1},     {128, INFINITY, 101}};
    for (const Case& c : cases) EXPECT_EQ(TicksToVanish(c.alpha, c.seconds), c.ticks) << c.alpha << " " << c.seconds;

    ClickIndicatorState ring;
    ring.MakeTrans(128);
    ring.FadeSeconds = 1.0f;
    for (int32_t code : {MiddleDown, MiddleUp}) ring.MouseEvent(code);
    EXPECT_EQ(ring.Tick().alpha, 122);  // 121.6
    for (int i = 2; i < 19; ++i) ring.Tick();
    EXPECT_EQ(ring.Tick().alpha, 6);  // 6.4 after 19 ticks
    EXPECT_TRUE(ring.RingVisible(1, RingShape::Single));
    EXPECT_EQ(ring.Tick().kind, FadeTickKind::Ended);
    EXPECT_FALSE(ring.Shown() || ring.TimerRunning() || ring.RingVisible(1, RingShape::Single));
}

TEST(CrossHair, ThicknessSizesAndCentreLine) {
    const std::pair<int32_t, int32_t> thickness[] = {{4, 5}, {5, 5}, {1, 1}, {30, 31}, {0, 1}, {-8, 1}, {kMax, 31}};
    for (auto [value, t] : thickness) EXPECT_EQ(CrossHairThickness(value), t) << value;

    // A monitor left of and above the primary one: the arms still span the whole desktop.
    const ScreenBounds desktop{-1920, -200, 3200, 1280};
    for (CrossHairArm arm : {LeftArm, RightArm, TopArm, BottomArm})
        EXPECT_EQ(ArmSize(arm, 5, desktop), (arm <= RightArm ? Size{3200, 5} : Size{5, 1280})) << arm;
    EXPECT_EQ(ArmSize(BottomArm, -5, {0, 0, -1, -1}), (Size{0, 0}));

    EXPECT_EQ(CentreLine(LeftArm, {3200, 5}), (Stroke{{0, 2}, {3200, 2}}));
    EXPECT_EQ(CentreLine(BottomArm, {5, 1280}), (Stroke{{2, 0}, {2, 1280}}));
}

TEST(CrossHair, ArmsMeetAtThePointerLeavingTheGap) {
    const Size wide{3200, 5};
    const Size tall{5, 1280};
    struct Case { CrossHairArm arm; Point pointer; int32_t gap; Point at; };
    const Case cases[] = {
        // Gap 0: the left arm ends left of the pointer's column, the right one starts on it.
        {LeftArm, {500, 400}, 0, {-2700, 398}},  {RightArm, {500, 400}, 0, {500, 398}},
        {TopArm, {500, 400}, 0, {498, -880}},    {BottomArm, {500, 400}, 0, {498, 400}},
        {LeftArm, {-100, -50}, 10, {-3310, -52}}, {RightArm, {-100, -50}, 10, {-90, -52}},
        {TopArm, {-100, -50}, 10, {-102, -1340}}, {BottomArm, {-100, -50}, 10, {-102, -40}},
    };
    for (const Case& c : cases) {
        const Size client = c.arm <= RightArm ? wide : tall;
        EXPECT_EQ(PlaceArm(c.arm, c.pointer, client, c.gap), c.at) << c.arm << " gap " << c.gap;
    }
    // Sizes no desktop has saturate instead of overflowing.
    EXPECT_EQ(PlaceArm(LeftArm, {kMin, 0}, {kMax, kMax}, 100).x, kMin);
}

TEST(CrossHair, ArrowHeadsSpreadOutAndPointAtThePointer) {
    // Distances from head 0: 8i + i²(i + 1)/40, floored where the heads land.
    const std::pair<int, int32_t> along[] = {{0, 0}, {1, 8}, {2, 16}, {3, 24}, {4, 34}, {40, 1960}};
    const auto right = ArrowHeads(RightArm, {3200, 5});
    const auto bottom = ArrowHeads(BottomArm, {5, 1280});
    const auto left = ArrowHeads(LeftArm, {2000, 5});
    for (auto [i, d] : along) {
        EXPECT_EQ(right[i].a, (Stroke{{11 + d + 8, -2}, {11 + d, 2}})) << i;
        EXPECT_EQ(right[i].b, (Stroke{{11 + d + 1, 3}, {11 + d + 9, 7}})) << i;
        EXPECT_EQ(bottom[i].a, (Stroke{{-2, 11 + d + 8}, {2, 11 + d}})) << i;
    }
    // Towards the far end a fraction floors one further from the desktop edge.
    EXPECT_EQ(left[0].a, (Stroke{{1980, -2}, {1988, 2}}));
    EXPECT_EQ(left[1].a, (Stroke{{1971, -2}, {1979, 2}}));  // 1980 - 8.05
    EXPECT_EQ(left[4].a, (Stroke{{1946, -2}, {1954, 2}}));  // 1980 - 34
    EXPECT_EQ(left[40].a.from.x, 19);  // single-precision step: 1980 - 1960.00015
    EXPECT_EQ(ArrowHeads(TopArm, {5, 2000})[1].b, (Stroke{{3, 1978}, {7, 1970}}));

    // Every head of every arm is a chevron 8 deep and 4 + 4 wide whose tip faces the pointer.
    for (CrossHairArm arm : {LeftArm, RightArm, TopArm, BottomArm}) {
        const bool horizontal = arm <= RightArm;
        const int towards = (arm == LeftArm || arm == TopArm) ? 1 : -1;
        for (const ArrowHead& h : ArrowHeads(arm, horizontal ? Size{1280, 7} : Size{7, 800})) {
            const auto alongOf = [&](Point p) { return horizontal ? p.x : p.y; };
            const auto across = [&](Point p) { return horizontal ? p.y : p.x; };
            EXPECT_EQ((alongOf(h.a.to) - alongOf(h.a.from)) * towards, 8) << arm;
            EXPECT_EQ((alongOf(h.b.from) - alongOf(h.b.to)) * towards, 8) << arm;
            EXPECT_EQ(across(h.a.to) - across(h.a.from), 4) << arm;
            EXPECT_EQ(across(h.b.to) - across(h.b.from), 4) << arm;
        }
    }
    // Degenerate windows must stay defined (the sanitizers abort on overflow).
    for (Size bad : {Size{0, 0}, Size{-9, -9}, Size{kMax, kMax}}) EXPECT_EQ(ArrowHeads(TopArm, bad).size(), 41u);
}

TEST(WheelArrows, SizeChevronsAndDirections) {
    const std::pair<int32_t, Size> sizes[] = {
        {44, {54, 133}}, {5, {7, 16}}, {90, {109, 271}}, {0, {7, 16}}, {-3, {7, 16}}, {kMax, {109, 271}}};
    for (auto [s, size] : sizes) EXPECT_EQ(WheelArrowSize(s), size) << s;

    const auto up = WheelChevron(kWheelUp, {54, 133}, 10);
    EXPECT_EQ(up[0], (Stroke{{27, 6}, {48, 27}}));
    EXPECT_EQ(up[1], (Stroke{{27, 6}, {6, 27}}));
    const auto down = WheelChevron(kWheelDown, {54, 133}, 10);
    EXPECT_EQ(down[0], (Stroke{{27, 127}, {48, 106}}));
    EXPECT_EQ(down[1], (Stroke{{27, 127}, {6, 106}}));
    EXPECT_EQ(WheelChevron(kWheelUp, {54, 133}, 3)[0], (Stroke{{27, 2}, {52, 27}}));

    struct Case { int32_t direction, code, argument; bool shows; };
    const Case cases[] = {{kWheelUp, WheelTurned, 1, true},   {kWheelDown, WheelTurned, 1, false},
                          {kWheelUp, WheelTurned, -1, false}, {kWheelDown, WheelTurned, -1, true},
                          {kWheelDown, WheelTurned, 0, true}, {kWheelUp, WheelTurned, 0, false},
                          {kWheelUp, LeftDown, 1, false},     {kWheelDown, RightUp, -1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(WheelArrowReacts(c.direction, c.code, c.argument), c.shows) << c.direction << c.code << c.argument;
}

TEST(MouseImage, LayersFollowEveryCode) {
    struct Case { int32_t code, argument; int layer; bool timer; };
    const Case presses[] = {
        {WheelTurned, 1, WheelUpLayer, true},  {WheelTurned, -1, WheelDownLayer, true},
        {WheelTurned, 0, WheelDownLayer, true}, {LeftDown, 0, LeftLayer, false},   {LeftDouble, 0, LeftLayer, false},
        {MiddleDown, 0, MiddleLayer, false},   {MiddleDouble, 0, MiddleLayer, false},
        {RightDown, 0, RightLayer, false},     {RightDouble, 0, RightLayer, false}};
    for (const Case& c : presses) {
        MouseImageLayers image;
        EXPECT_EQ(image.MouseEvent(c.code, c.argument), c.timer) << c.code;
        for (int layer = 0; layer < kMouseImageLayers; ++layer)
            EXPECT_EQ(image.IsOn(layer), layer == BodyLayer || layer == c.layer) << c.code << " layer " << layer;
    }
    // Each release darkens only its own button; unknown codes change nothing.
    MouseImageLayers image;
    for (int32_t code : {LeftDown, MiddleDown, RightDown}) image.MouseEvent(code, 0);
    const std::pair<int32_t, int> releases[] = {{MiddleUp, MiddleLayer}, {RightUp, RightLayer}, {LeftUp, LeftLayer}};
    for (auto [code, layer] : releases) {
        EXPECT_TRUE(image.IsOn(layer));
        EXPECT_FALSE(image.MouseEvent(code, 0));
        EXPECT_FALSE(image.IsOn(layer)) << code;
    }
    image.MouseEvent(LeftDown, 0);
    EXPECT_FALSE(image.MouseEvent(42, 1));
    EXPECT_TRUE(image.IsOn(LeftLayer));
    // Up then down within 300 ms: both marks stay lit until the timer fires.
    for (int32_t direction : {1, -1}) image.MouseEvent(WheelTurned, direction);
    EXPECT_TRUE(image.IsOn(WheelUpLayer) && image.IsOn(WheelDownLayer));
    image.TimerTick();
    EXPECT_FALSE(image.IsOn(WheelUpLayer) || image.IsOn(WheelDownLayer));
    EXPECT_TRUE(image.IsOn(LeftLayer));
    image.ClearButtons();
    EXPECT_FALSE(image.IsOn(LeftLayer));
    EXPECT_TRUE(image.IsOn(BodyLayer));
}

TEST(MouseImage, CaptionFillsTheLowerHalfAndHeightKeepsTheRatio) {
    const auto rects = MouseImageCaptionRects({84, 61});  // h = 30
    const Rect expected[] = {{0, 31, 84, 61}, {-1, 31, 83, 61}, {0, 30, 84, 60}, {1, 31, 85, 61}, {0, 32, 84, 62}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rects[i], expected[i]) << i;
    EXPECT_EQ(MouseImageCaptionRects({-4, -4})[0], (Rect{0, 1, 0, 1}));

    struct Case { int32_t width; Size picture; Size window; };
    const Case cases[] = {
        {84, {200, 150}, {84, 63}}, {70, {4, 3}, {70, 52}},  // 52.5 rounds to even
        {84, {0, 150}, {84, 84}},   {0, {100, 100}, {20, 20}}, {kMax, {1, 2}, {150, 300}},
    };
    for (const Case& c : cases) EXPECT_EQ(MouseImageSize(c.width, c.picture), c.window) << c.width;
}

}  // namespace
