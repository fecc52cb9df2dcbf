#include "app/Geometry.h"
#include "controls/ColorPalette.h"
#include "overlays/HaloGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Rounding, HalvesGoToEvenAndIntFloors) {
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(-0.6), -1);
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(2.999), 2);
    // Saturates instead of overflowing on values no screen has.
    EXPECT_EQ(RoundEven(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(Int(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(RoundEven(std::nan("")), 0);
}

TEST(Transparency, PercentMapsToAlphaWithTiesToEven) {
    EXPECT_EQ(TransparencyToAlpha(0), 255);
    EXPECT_EQ(TransparencyToAlpha(50), 128);  // 127.5 → 128
    EXPECT_EQ(TransparencyToAlpha(100), 0);
    EXPECT_EQ(TransparencyToAlpha(10), 230);
    EXPECT_EQ(TransparencyToAlpha(75), 64);
    EXPECT_EQ(TransparencyToAlpha(99), 3);
    EXPECT_EQ(TransparencyToAlpha(80), 51);
    // An edited settings file can hold anything; the alpha stays a byte.
    EXPECT_EQ(TransparencyToAlpha(300), 0);
    EXPECT_EQ(TransparencyToAlpha(-40), 255);
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
    // Mouse image right of and below the pointer.
    EXPECT_EQ(PositionNearPointer({100, 100}, {84, 60}, 1.0, 11, desktop), (Point{111, 122}));
    // Keyboard display left of and below the pointer.
    EXPECT_EQ(PositionNearPointer({500, 100}, {200, 50}, 1.0, -11, desktop), (Point{289, 122}));
    // A factor of -2 puts the image left of the pointer, 22 px from it and 44 px below.
    EXPECT_EQ(PositionNearPointer({500, 100}, {84, 60}, -2.0, 11, desktop), (Point{394, 144}));
    // Near the right edge it is pushed back inside; near the bottom it would cover the
    // pointer, so it jumps above it.
    EXPECT_EQ(PositionNearPointer({1270, 100}, {84, 60}, 1.0, 11, desktop), (Point{1196, 122}));
    EXPECT_EQ(PositionNearPointer({1270, 790}, {84, 60}, 1.0, 11, desktop), (Point{1196, 708}));
    // Larger than the boundary: aligned to its left and top.
    EXPECT_EQ(PositionNearPointer({5000, 5000}, {2000, 900}, 1.0, 11, {10, 20, 1290, 820}).x, 10);
    // An offset boundary (second monitor to the left) is honoured.
    EXPECT_EQ(PositionNearPointer({-1900, 10}, {84, 60}, -1.0, 11, {-1920, 0, 0, 1080}), (Point{-1920, 32}));
}

TEST(ScreenBounds, ChangeDetectionAndBoundaryFollowsUnlessCustom) {
    const ScreenBounds old{0, 0, 1280, 800};
    const ScreenBounds wider{-1920, 0, 3200, 1080};
    const Rect custom{10, 10, 500, 500};

    auto same = UpdateScreenBounds(old, old, custom, false);
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(same.boundary, (Rect{0, 0, 1280, 800}));  // reset even without a change

    auto grown = UpdateScreenBounds(old, wider, custom, false);
    EXPECT_TRUE(grown.changed);
    EXPECT_EQ(grown.boundary, (Rect{-1920, 0, 1280, 1080}));

    auto kept = UpdateScreenBounds(old, wider, custom, true);
    EXPECT_TRUE(kept.changed);
    EXPECT_EQ(kept.boundary, custom);
}

TEST(HaloGeometry, WindowRingHoleAndFullScreenHole) {
    EXPECT_EQ(HaloWindowSide(20), 41);
    EXPECT_EQ(HaloWindowSide(100), 201);

    const ShapeRect ring = RingHole({201, 201}, 50);
    EXPECT_DOUBLE_EQ(ring.width, 100.5);
    EXPECT_DOUBLE_EQ(ring.left, 50.25);
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
    // Red 254 snaps to FF0000 in column 0, row 2 (colours are 0x00BBGGRR).
    const PaletteCell red = SelectNearest(0x0000FE);
    EXPECT_EQ(red.colour, 0x0000FFu);
    EXPECT_EQ(red.column, 0);
    EXPECT_EQ(red.row, 2);
    EXPECT_EQ(SelectNearest(0).colour, 0u);
    EXPECT_EQ(SelectNearest(0xFFFFFF).colour, 0xFFFFFFu);
    // The cross hair default RGB(192, 255, 255) lands on BFFFFF (column 4, row 4).
    EXPECT_EQ(SelectNearest(16777152).colour, 0xFFFFBFu);
    // Red 9F is as far from 7F as from BF: the upper cell of the column wins.
    EXPECT_EQ(SelectNearest(0x00009F).colour, 0x00007Fu);
    EXPECT_EQ(SelectNearest(0x0000A0).colour, 0x0000BFu);
    // A system-colour flag in the top byte does not disturb the channels.
    EXPECT_EQ(SelectNearest(0x800000FFu).colour, 0x0000FFu);
}
