// The overlays' shapes and states, and the header of the mouse image's picture file.
#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "hook/MouseEvent.h"
#include "overlays/ClickIndicator.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/MouseImageLayers.h"
#include "overlays/PictureHeader.h"
#include "overlays/TouchMark.h"
#include "overlays/WheelArrowGeometry.h"

namespace {

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

std::string Little(uint32_t value, int bytes, bool big = false) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * (big ? bytes - 1 - i : i)) & 0xFF);
    return out;
}
std::string Big(uint32_t value, int bytes) { return Little(value, bytes, true); }

std::string Gif(uint32_t w, uint32_t h) { return "GIF89a" + Little(w, 2) + Little(h, 2) + std::string(3, '\0'); }
std::string Png(uint32_t w, uint32_t h, const char* chunk = "IHDR") {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Big(13, 4) + chunk + Big(w, 4) + Big(h, 4) + std::string(5, '\0');
}
std::string Bmp(int32_t w, int32_t h) {
    return "BM" + std::string(12, '\0') + Little(40, 4) + Little(static_cast<uint32_t>(w), 4) +
           Little(static_cast<uint32_t>(h), 4) + std::string(28, '\0');
}
std::string OldBmp(uint32_t w, uint32_t h) { return "BM" + std::string(12, '\0') + Little(12, 4) + Little(w, 2) + Little(h, 2); }
// A JPEG start, one metadata segment of `padding` bytes, then a baseline frame header.
std::string Jpeg(uint32_t w, uint32_t h, uint32_t padding = 14, uint32_t frame = 0xC0) {
    return std::string("\xFF\xD8\xFF\xE0", 4) + Big(padding + 2, 2) + std::string(padding, 'j') + "\xFF\xFF" +
           static_cast<char>(frame) + Big(17, 2) + "\x08" + Big(h, 2) + Big(w, 2) + std::string(10, '\0');
}

}  // namespace

// Rings at size 44 with the default widths; a pen too wide for a small window.
TEST(ClickIndicator, RingsInsetByTheirPensAndTooWideAPenKeepsTheSingleRing) {
    const Size client{ClickWindowSide(44), ClickWindowSide(44)};
    // The slider's 5..90 bounds whatever a settings file holds.
    for (auto [size, side] : {std::pair{44, 89}, {0, 11}, {kMaxI, 181}}) EXPECT_EQ(ClickWindowSide(size), side) << size;
    const RingLayout rings = LayoutRings(client, kDefaultWidths, false, {});
    // Single ring inset by half its pen (5.5 rounds to 6), inner double by the whole; 0.7 in single precision.
    ExpectBox(rings[0].single, 19.35, 50.3, "single");
    ExpectBox(rings[0].inner, 24.35, 40.3, "inner");
    ExpectBox(rings[2].outer, 5.785, 77.43, "outer");
    EXPECT_DOUBLE_EQ(rings[0].outer.width, 89 * static_cast<double>(0.7f));
    const RingLayout same = LayoutRings(client, kDefaultWidths, true, {});
    ExpectBox(same[2].outer, 13.35, 62.3, "same size: every button at the left ring's factor");
    EXPECT_TRUE(RingPensForWidth(11) == (RingPens{11, 5}) && RingPensForWidth(2) == (RingPens{2, 1}) &&
                RingPensForWidth(-3) == (RingPens{0, 0}));
    // The letters sit inside the left side and the bottom of their rings.
    EXPECT_EQ(LetterOrigin(0, {12, 19}, client, rings[0].single, 11), (Point{17, 32}));
    EXPECT_EQ(LetterOrigin(1, {12, 19}, client, rings[1].single, 8), (Point{38, 58}));

    // A pen too wide keeps the single ring and empties the inner one; odd sizes stay finite.
    const Size small{ClickWindowSide(5), ClickWindowSide(5)};  // 11: left ring 7.7 across
    RingLayout previous{};
    previous[0].single = {1, 2, 3, 4};
    ExpectBox(LayoutRings(small, {6, 2, 2}, false, previous)[0].single, 1.65 + 3, 1.7, "fits");
    for (int32_t width : {7, kMaxI}) {
        const RingLayout kept = LayoutRings(small, {width, 2, 2}, false, previous);
        EXPECT_TRUE(kept[0].single == previous[0].single && kept[0].inner.width == 0 && kept[0].inner.height == 0) << width;
    }
    for (Size bad : {Size{0, 0}, Size{-50, -50}, Size{kMaxI, kMaxI}})
        for (const ButtonRings& r : LayoutRings(bad, {kMinI, kMaxI, 0}, false, {}))
            for (const ShapeRect& box : {r.single, r.outer, r.inner})
                EXPECT_TRUE(box.width >= 0 && box.height >= 0 && std::isfinite(box.left));
}

// Press, release and double-click drive the rings; a press stops a fade; disc mode keeps a ring.
TEST(ClickIndicator, EveryCodeDrivesTheRingsAsAPressReleaseOrDoubleClick) {
    using S = RingShape;
    const std::tuple<int32_t, ClickAction, int> cases[] = {
        {MiddleDown, ClickAction::BeginPress, 1}, {RightUp, ClickAction::BeginFade, 0}, {WheelTurned, ClickAction::None, 0},
        {-1, ClickAction::None, 0}};
    for (auto [code, action, button] : cases) {
        ClickIndicatorState ring;
        EXPECT_EQ(ring.MouseEvent(code), action) << code;
        EXPECT_TRUE(ring.Shown() == (action == ClickAction::BeginPress) && ring.ButtonIndex() == button) << code;
        EXPECT_EQ(ring.TimerRunning(), action == ClickAction::BeginFade) << code;
        EXPECT_EQ(ring.RingVisible(button, S::Single), action == ClickAction::BeginPress) << code;
    }
    ClickIndicatorState ring;
    for (int32_t code : {LeftDown, LeftDouble, LeftUp}) ring.MouseEvent(code);
    EXPECT_TRUE(!ring.RingVisible(0, S::Single) && ring.RingVisible(0, S::DoubleInner) && !ring.Tracking);
    ring.MouseEvent(RightDown);
    EXPECT_FALSE(ring.TimerRunning() || ring.RingVisible(0, S::DoubleOuter));
    EXPECT_TRUE(ring.RingVisible(2, S::Single) && ring.Tick().kind == FadeTickKind::Idle);
    EXPECT_TRUE(RingFilled(S::DoubleInner, true) && RingFilled(S::Single, true));
    EXPECT_FALSE(RingFilled(S::DoubleOuter, true) || RingFilled(S::Single, false));
}

TEST(ClickIndicator, FadeRunsInSinglePrecisionStepsOf50ms) {
    // 6.4f steps end just below 0; 12.75 steps hit 0 exactly and still show; 1.28f is a
    // hair under 1.28. Alpha 0 has nothing to fade (no endless timer); no fade is slower than 5 s.
    const std::tuple<int32_t, float, int> cases[] = {{128, 1.0f, 20}, {255, 1.0f, 21}, {128, 5.0f, 101}, {255, 5.0f, 100},
                                                     {128, -2.0f, 1}, {128, NAN, 1}, {0, 1.0f, 1}, {128, INFINITY, 101}};
    for (auto [alpha, seconds, ticks] : cases) EXPECT_EQ(TicksToVanish(alpha, seconds), ticks) << alpha << " " << seconds;

    ClickIndicatorState ring;
    ring.MakeTrans(128);
    ring.FadeSeconds = 1.0f;
    for (int32_t code : {MiddleDown, MiddleUp}) ring.MouseEvent(code);
    EXPECT_EQ(ring.Tick().alpha, 122);  // 121.6
    for (int i = 2; i < 19; ++i) ring.Tick();
    EXPECT_TRUE(ring.Tick().alpha == 6 && ring.RingVisible(1, RingShape::Single));  // 6.4 after 19 ticks
    EXPECT_EQ(ring.Tick().kind, FadeTickKind::Ended);
    EXPECT_FALSE(ring.Shown() || ring.TimerRunning() || ring.RingVisible(1, RingShape::Single));
}

// A monitor left of and above the primary one: the arms still span the whole desktop.
TEST(CrossHair, ThicknessSizesAndCentreLine) {
    for (auto [value, t] : {std::pair{4, 5}, {5, 5}, {30, 31}, {-8, 1}, {kMaxI, 31}}) EXPECT_EQ(CrossHairThickness(value), t) << value;
    const ScreenBounds desktop{-1920, -200, 3200, 1280};
    EXPECT_TRUE(ArmSize(LeftArm, 5, desktop) == (Size{3200, 5}) && ArmSize(BottomArm, 5, desktop) == (Size{5, 1280}));
    EXPECT_EQ(ArmSize(BottomArm, -5, {0, 0, -1, -1}), (Size{0, 0}));
    EXPECT_EQ(CentreLine(BottomArm, {5, 1280}), (Stroke{{2, 0}, {2, 1280}}));
}

TEST(CrossHair, ArmsMeetAtThePointerLeavingTheGap) {
    // Gap 0: the left arm ends left of the pointer's column, the right one starts on it.
    const std::tuple<CrossHairArm, Point, int32_t, Point> cases[] = {
        {LeftArm, {500, 400}, 0, {-2700, 398}},   {RightArm, {500, 400}, 0, {500, 398}},
        {TopArm, {500, 400}, 0, {498, -880}},     {BottomArm, {500, 400}, 0, {498, 400}},
        {LeftArm, {-100, -50}, 10, {-3310, -52}}, {RightArm, {-100, -50}, 10, {-90, -52}},
        {TopArm, {-100, -50}, 10, {-102, -1340}}, {BottomArm, {-100, -50}, 10, {-102, -40}},
    };
    for (const auto& [arm, pointer, gap, at] : cases)
        EXPECT_EQ(PlaceArm(arm, pointer, arm <= RightArm ? Size{3200, 5} : Size{5, 1280}, gap), at) << arm << " gap " << gap;
    // Sizes no desktop has saturate instead of overflowing.
    EXPECT_EQ(PlaceArm(LeftArm, {kMinI, 0}, {kMaxI, kMaxI}, 100).x, kMinI);
}

// Heads lie 8i + i²(i + 1)/40 apart, floored; each a chevron 8 deep, 4 + 4 wide, facing the pointer.
TEST(CrossHair, ArrowHeadsSpreadOutAndPointAtThePointer) {
    for (auto [i, d] : {std::pair{1, 8}, {4, 34}, {40, 1960}})
        EXPECT_EQ(ArrowHeads(RightArm, {3200, 5})[i].a, (Stroke{{11 + d + 8, -2}, {11 + d, 2}})) << i;
    EXPECT_EQ(ArrowHeads(LeftArm, {2000, 5})[40].a.from.x, 19);  // single precision: 1980 - 1960.00015
    for (CrossHairArm arm : {LeftArm, RightArm, TopArm, BottomArm}) {
        const bool horizontal = arm <= RightArm;
        const int towards = (arm == LeftArm || arm == TopArm) ? 1 : -1;
        const auto along = [&](Point p) { return horizontal ? p.x : p.y; };
        const auto across = [&](Point p) { return horizontal ? p.y : p.x; };
        for (const ArrowHead& h : ArrowHeads(arm, horizontal ? Size{1280, 7} : Size{7, 800})) {
            EXPECT_TRUE((along(h.a.to) - along(h.a.from)) * towards == 8 && (along(h.b.from) - along(h.b.to)) * towards == 8);
            EXPECT_TRUE(across(h.a.to) - across(h.a.from) == 4 && across(h.b.to) - across(h.b.from) == 4) << arm;
        }
    }
    // Degenerate windows must stay defined (the sanitizers abort on overflow).
    for (Size bad : {Size{0, 0}, Size{-9, -9}, Size{kMaxI, kMaxI}}) EXPECT_EQ(ArrowHeads(TopArm, bad).size(), 41u);
}

// Only the system's signature marks a finger or a pen; a finger's dot is wider than a pen's
// ring, both odd so that they centre on the pointer; a mark stays 300 ms from its press.
TEST(TouchMark, KindShapeAndTime) {
    for (auto [extra, kind] : {std::pair<uint64_t, PointerKind>{0xFF515780, PointerKind::Touch},
                               {0xFF5157FF, PointerKind::Touch}, {0xFF515700, PointerKind::Pen},
                               {0xFF51577F, PointerKind::Pen}, {0xFF515680, PointerKind::Mouse},
                               {0, PointerKind::Mouse}})
        EXPECT_EQ(PointerKindOf(extra), kind) << std::hex << extra;
    EXPECT_EQ(TouchMarkShapeFor(PointerKind::Touch, 1.0), (TouchMarkShape{37, true, 0, {0, 0, 37, 37}}));
    EXPECT_EQ(TouchMarkShapeFor(PointerKind::Pen, 1.0), (TouchMarkShape{23, false, 3, {1.5, 1.5, 20, 20}}));
    EXPECT_EQ(TouchMarkShapeFor(PointerKind::Pen, 2.0), (TouchMarkShape{45, false, 6, {3, 3, 39, 39}}));
    for (auto [down, up, wait] : {std::tuple<uint32_t, uint32_t, uint32_t>{1000, 1020, 280}, {1000, 1300, 0},
                                  {1000, 5000, 0}, {0xFFFFFFF0u, 0x10, 268}})
        EXPECT_EQ(TouchMarkHideAfterMs(down, up), wait) << down << " " << up;
}

TEST(WheelArrows, SizeChevronsAndDirections) {
    for (auto [s, size] : {std::pair{44, Size{54, 133}}, {5, {7, 16}}, {-3, {7, 16}}, {kMaxI, {109, 271}}})
        EXPECT_EQ(WheelArrowSize(s), size) << s;
    EXPECT_EQ(WheelChevron(kWheelDown, {54, 133}, 10)[1], (Stroke{{27, 127}, {6, 106}}));
    const std::tuple<int32_t, int32_t, int32_t, bool> cases[] = {
        {kWheelUp, WheelTurned, 1, true}, {kWheelUp, WheelTurned, -1, false}, {kWheelDown, WheelTurned, 0, true},
        {kWheelUp, WheelTurned, 0, false}, {kWheelUp, LeftDown, 1, false}};
    for (const auto& [direction, code, argument, shows] : cases)
        EXPECT_EQ(WheelArrowReacts(direction, code, argument), shows) << direction << code << argument;
}

TEST(MouseImage, LayersFollowEveryCodeAndTheWindowKeepsThePicturesRatio) {
    for (const auto& [code, argument, lit, timer] : {std::tuple{WheelTurned, 0, WheelDownLayer, true}, {RightDouble, 0, RightLayer, false}}) {
        MouseImageLayers image;
        EXPECT_EQ(image.MouseEvent(code, argument), timer) << code;
        for (int layer = 0; layer < kMouseImageLayers; ++layer)
            EXPECT_EQ(image.IsOn(layer), layer == BodyLayer || layer == lit) << code << " layer " << layer;
    }
    // Each release darkens only its own button; unknown codes change nothing.
    MouseImageLayers image;
    for (int32_t code : {LeftDown, MiddleDown, RightDown}) image.MouseEvent(code, 0);
    for (auto [code, layer] : {std::pair{MiddleUp, MiddleLayer}, {RightUp, RightLayer}, {LeftUp, LeftLayer}})
        EXPECT_TRUE(image.IsOn(layer) && !image.MouseEvent(code, 0) && !image.IsOn(layer)) << code;
    image.MouseEvent(LeftDown, 0);
    EXPECT_TRUE(!image.MouseEvent(42, 1) && image.IsOn(LeftLayer));
    // Up then down within 300 ms: both marks stay lit until the timer fires.
    for (int32_t direction : {1, -1}) image.MouseEvent(WheelTurned, direction);
    EXPECT_TRUE(image.IsOn(WheelUpLayer) && image.IsOn(WheelDownLayer));
    image.TimerTick();
    EXPECT_TRUE(!image.IsOn(WheelUpLayer) && !image.IsOn(WheelDownLayer) && image.IsOn(LeftLayer));
    image.ClearButtons();
    EXPECT_TRUE(!image.IsOn(LeftLayer) && image.IsOn(BodyLayer));

    // The caption fills the lower half; the height keeps the picture's ratio.
    EXPECT_TRUE(MouseImageCaptionRects({84, 61})[0] == (Rect{0, 31, 84, 61}) && MouseImageCaptionRects({-4, -4})[0] == (Rect{0, 1, 0, 1}));

    const std::tuple<int32_t, Size, Size> sizes[] = {
        {84, {200, 150}, {84, 63}}, {70, {4, 3}, {70, 52}},  // 52.5 rounds to even
        {84, {0, 150}, {84, 84}},   {0, {100, 100}, {20, 20}}, {kMaxI, {1, 2}, {150, 300}},
    };
    for (const auto& [width, picture, window] : sizes) EXPECT_EQ(MouseImageSize(width, picture), window) << width;
}

TEST(PictureHeader, ReadsTheSizeOfEachKnownFormatAndJudgesIt) {
    using F = PictureFormat;
    using V = PictureVerdict;
    const std::tuple<const char*, std::string, PictureFormat, PictureVerdict, int64_t, int64_t> cases[] = {
        {"gif at the limit", Gif(4096, 4096), F::Gif, V::Sane, 4096, 4096}, {"gif too wide", Gif(4097, 1), F::Gif, V::TooLarge, 4097, 1},
        {"gif of no width", Gif(0, 5), F::Gif, V::Malformed, 0, 5}, {"gif cut short", Gif(32, 48).substr(0, 9), F::Gif, V::Malformed, 0, 0},
        {"png", Png(640, 480), F::Png, V::Sane, 640, 480}, {"png beyond 2^31", Png(0x80000000u, 1), F::Png, V::Malformed, 0, 0},
        {"png without IHDR first", Png(1, 1, "tEXt"), F::Png, V::Malformed, 0, 0},
        {"bmp top-down", Bmp(100, -50), F::Bmp, V::Sane, 100, 50},
        {"bmp with the most negative height", Bmp(1, INT32_MIN), F::Bmp, V::TooLarge, 1, 2147483648LL},
        {"bmp of negative width", Bmp(-3, 4), F::Bmp, V::Malformed, -3, 4}, {"old bmp", OldBmp(16, 16), F::Bmp, V::Sane, 16, 16},
        {"bmp of an unknown header size", "BM" + std::string(12, '\0') + Little(20, 4) + std::string(20, '\0'), F::Bmp, V::Malformed, 0, 0},
        {"progressive jpeg too high", Jpeg(8, 9000, 14, 0xC2), F::Jpeg, V::TooLarge, 8, 9000},
        {"jpeg after long metadata", Jpeg(20, 10, 60000), F::Jpeg, V::Sane, 20, 10},
        {"jpeg whose frame lies beyond the bytes read", Jpeg(20, 10, 60000).substr(0, 50000), F::Jpeg, V::Unknown, 0, 0},
        {"jpeg with a huffman table first (C4 is no frame)", Jpeg(20, 10, 14, 0xC4), F::Jpeg, V::Unknown, 0, 0},
        {"jpeg with its pixels before a frame", std::string("\xFF\xD8\xFF\xDA\x00\x02", 6), F::Jpeg, V::Malformed, 0, 0},
        {"jpeg with a segment length below 2", std::string("\xFF\xD8\xFF\xE1\x00\x01", 6), F::Jpeg, V::Malformed, 0, 0},
        {"jpeg with junk between segments", std::string("\xFF\xD8\x00\xFF\xC0", 5), F::Jpeg, V::Malformed, 0, 0},
        {"icon", std::string("\0\0\1\0\1\0", 6), F::Unknown, V::Unknown, 0, 0}, {"nothing", "", F::Unknown, V::Unknown, 0, 0},
    };
    for (const auto& [what, bytes, format, verdict, width, height] : cases) {
        const PictureHeader header = CheckPictureHeader(bytes);
        EXPECT_TRUE(header.format == format && header.verdict == verdict) << what;
        EXPECT_EQ((std::pair{header.width, header.height}), (std::pair{width, height})) << what;
    }
}
