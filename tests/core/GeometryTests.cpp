#include "base/Geometry.h"
#include "settings/ColorPalette.h"
#include "overlays/HaloGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Rounding, HalvesGoToEvenIntFloorsAndBothSaturate) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
    const std::pair<double, int32_t> even[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.6, -1}, {1e300, kMax}, {NAN, 0}};
    for (auto [x, rounded] : even) EXPECT_EQ(RoundEven(x), rounded) << x;
    const std::pair<double, int32_t> floored[] = {{-0.5, -1}, {2.999, 2}, {-1e300, kMin}};
    for (auto [x, whole] : floored) EXPECT_EQ(Int(x), whole) << x;
}

TEST(Transparency, PercentMapsToAlphaWithTiesToEven) {
    // 50 % is 127.5 → 128; an edited settings file can hold anything, the alpha stays a byte.
    const std::pair<double, int32_t> cases[] = {{0, 255},  {50, 128}, {100, 0}, {10, 230}, {75, 64},
                                                {99, 3},   {80, 51},  {300, 0}, {-40, 255}};
    for (auto [percent, alpha] : cases) EXPECT_EQ(TransparencyToAlpha(percent), alpha) << percent;
}

TEST(Centring, RingsRoundHalfEvenHaloRoundsDown) {
    // 201 wide: x − 100.5 + 0.5 is whole, both agree.
    EXPECT_EQ(CentreOnPointer({500, 400}, {201, 201}), (Point{400, 300}));
    EXPECT_EQ(CentreHaloOnPointer({500, 400}, {201, 201}), (Point{400, 300}));
    // 40 wide: x − 20 + 0.5 is a half; RoundEven and Int differ on odd pointers.
    EXPECT_EQ(CentreOnPointer({101, 101}, {40, 40}), (Point{82, 82}));
    EXPECT_EQ(CentreHaloOnPointer({101, 101}, {40, 40}), (Point{81, 81}));
    EXPECT_EQ(CentreOnPointer({102, 0}, {40, 40}), (Point{82, -20}));
}

TEST(PositionNearPointer, SidesBoundaryAndJumpAbovePointer) {
    const Rect desktop{0, 0, 1280, 800};
    struct Case {
        const char* what;
        Point pointer;
        Size client;
        double factor, offset;
        Rect boundary;
        Point at;
    } cases[] = {
        {"the mouse image right of and below the pointer", {100, 100}, {84, 60}, 1, 11, desktop, {111, 122}},
        {"the keyboard display left of and below it", {500, 100}, {200, 50}, 1, -11, desktop, {289, 122}},
        {"a factor of -2: left, 22 px from it, 44 px below", {500, 100}, {84, 60}, -2, 11, desktop, {394, 144}},
        {"pushed back inside at the right edge", {1270, 100}, {84, 60}, 1, 11, desktop, {1196, 122}},
        {"would cover the pointer at the bottom: above it", {1270, 790}, {84, 60}, 1, 11, desktop, {1196, 708}},
        {"larger than the boundary: its left and top", {5000, 5000}, {2000, 900}, 1, 11, {10, 20, 1290, 820}, {10, 20}},
        {"a boundary on a monitor left of the primary", {-1900, 10}, {84, 60}, -1, 11, {-1920, 0, 0, 1080},
         {-1920, 32}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PositionNearPointer(c.pointer, c.client, c.factor, c.offset, c.boundary), c.at) << c.what;
}

TEST(ScreenBounds, ChangeDetectionAndBoundaryFollowsUnlessCustom) {
    const ScreenBounds old{0, 0, 1280, 800}, wider{-1920, 0, 3200, 1080};
    const Rect custom{10, 10, 500, 500};
    const auto same = UpdateScreenBounds(old, old, custom, false);
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(same.boundary, (Rect{0, 0, 1280, 800}));  // reset even without a change
    const auto grown = UpdateScreenBounds(old, wider, custom, false);
    EXPECT_TRUE(grown.changed);
    EXPECT_EQ(grown.boundary, (Rect{-1920, 0, 1280, 1080}));
    const auto kept = UpdateScreenBounds(old, wider, custom, true);
    EXPECT_TRUE(kept.changed);
    EXPECT_EQ(kept.boundary, custom);
}

TEST(HaloGeometry, WindowRingHoleAndFullScreenHole) {
    EXPECT_EQ(HaloWindowSide(20), 41);
    EXPECT_EQ(HaloWindowSide(100), 201);
    EXPECT_EQ(RingHole({201, 201}, 50), (ShapeRect{50.25, 50.25, 100.5, 100.5}));
    const ShapeRect thin = RingHole({201, 201}, 95);
    EXPECT_NEAR(thin.left + thin.width / 2, 100.5, 1e-9);  // stays centred
    // Desktop starting left of the primary monitor: window coordinates shift.
    const ShapeRect hole = FullScreenHole({100, 50}, {-1920, 0}, 100);
    EXPECT_DOUBLE_EQ(hole.left, 100 - 100 + 1920);
    EXPECT_DOUBLE_EQ(hole.top, -50);
    EXPECT_EQ(HolePaintRect(hole), (Rect{1920, -50, 2120, 150}));
    EXPECT_EQ(HolePaintRect({10.5, 11.5, 40, 40}), (Rect{10, 12, 50, 52}));
}

TEST(Palette, SnapsToNearestCellWithTiesLeftThenUp) {
    // Colours are 0x00BBGGRR. Red 9F is as far from 7F as from BF: the upper cell wins. The
    // cross hair default RGB(192, 255, 255) lands on BFFFFF; a system-colour flag in the top
    // byte does not disturb the channels.
    const std::pair<uint32_t, uint32_t> cases[] = {{0x0000FE, 0x0000FF}, {0, 0}, {0xFFFFFF, 0xFFFFFF},
                                                   {16777152, 0xFFFFBF}, {0x00009F, 0x00007F}, {0x0000A0, 0x0000BF},
                                                   {0x800000FFu, 0x0000FF}};
    for (auto [written, snapped] : cases) EXPECT_EQ(SelectNearest(written).colour, snapped) << std::hex << written;
}
