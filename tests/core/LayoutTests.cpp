// Rounding, placement, the halo's shape, the overlays' values, and the windows' layouts.
#include <gtest/gtest.h>

#include <algorithm>

#include "CoreTestSupport.h"
#include "controls/ColorPic.h"
#include "overlays/HaloGeometry.h"
#include "overlays/OverlayValues.h"
#include "settings/ColorPalette.h"
#include "ui/Boundary.h"
#include "ui/ClickOptionsLayout.h"
#include "ui/HelpText.h"
#include "ui/SettingsLayout.h"

namespace {

// A control over another or off the window hides something from the user; ids and names
// are unique. `spare` is how far a control may run past the right edge.
template <typename Controls, typename Spare>
void ExpectTiled(const Controls& controls, Size client, Spare spare) {
    std::set<int32_t> ids;
    std::set<std::string_view> names;
    for (size_t i = 0; i < controls.size(); ++i) {
        const auto& a = controls[i];
        SCOPED_TRACE(std::string(a.name));
        EXPECT_TRUE(ids.insert(a.id).second && names.insert(a.name).second);
        EXPECT_GT(a.id, 2);  // IDOK and IDCANCEL belong to the dialog navigation
        EXPECT_TRUE(a.place.left >= 0 && a.place.top >= 0 && a.place.Width() > 0 && a.place.Height() > 0);
        EXPECT_LE(a.place.right, client.width + spare(a.name));
        EXPECT_LE(a.place.bottom, client.height);
        for (size_t j = i + 1; j < controls.size(); ++j) EXPECT_FALSE(Overlap(a.place, controls[j].place)) << controls[j].name;
    }
}

}  // namespace

TEST(Rounding, HalvesGoToEvenIntFloorsBothSaturateAndTransparencyIsAByte) {
    const std::pair<double, int32_t> even[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.6, -1}, {1e300, kMaxI}, {kNaN, 0}};
    for (auto [x, rounded] : even) EXPECT_EQ(RoundEven(x), rounded) << x;
    for (auto [x, whole] : {std::pair{-0.5, -1}, {2.999, 2}, {-1e300, kMinI}}) EXPECT_EQ(Int(x), whole) << x;
    // 50 % is 127.5 → 128; an edited settings file can hold anything, the alpha stays a byte.
    const std::pair<double, int32_t> alphas[] = {{0, 255}, {50, 128}, {100, 0}, {10, 230}, {75, 64}, {99, 3}, {300, 0}, {-40, 255}};
    for (auto [percent, alpha] : alphas) EXPECT_EQ(TransparencyToAlpha(percent), alpha) << percent;
}

TEST(Placement, CentringAndPositionsNearThePointer) {
    // 40 wide: x − 20 + 0.5 is a half; rings round it to even, the halo down.
    EXPECT_TRUE(CentreOnPointer({101, 101}, {40, 40}) == (Point{82, 82}) && CentreOnPointer({102, 0}, {40, 40}) == (Point{82, -20}));
    EXPECT_TRUE(CentreHaloOnPointer({101, 101}, {40, 40}) == (Point{81, 81}) && CentreHaloOnPointer({500, 400}, {201, 201}) == (Point{400, 300}));

    const Rect desktop{0, 0, 1280, 800};
    const std::tuple<const char*, Point, Size, double, double, Rect, Point> cases[] = {
        {"the mouse image right of and below the pointer", {100, 100}, {84, 60}, 1, 11, desktop, {111, 122}},
        {"a factor of -2: left, 22 px from it, 44 px below", {500, 100}, {84, 60}, -2, 11, desktop, {394, 144}},
        {"pushed back inside at the right edge", {1270, 100}, {84, 60}, 1, 11, desktop, {1196, 122}},
        {"would cover the pointer at the bottom: above it", {1270, 790}, {84, 60}, 1, 11, desktop, {1196, 708}},
        {"larger than the boundary: its left and top", {5000, 5000}, {2000, 900}, 1, 11, {10, 20, 1290, 820}, {10, 20}},
        {"a boundary left of the primary", {-1900, 10}, {84, 60}, -1, 11, {-1920, 0, 0, 1080}, {-1920, 32}},
    };
    for (const auto& [what, pointer, client, factor, offset, boundary, at] : cases)
        EXPECT_EQ(PositionNearPointer(pointer, client, factor, offset, boundary), at) << what;
}

TEST(Placement, TheBoundaryFromTheFrameIsUsableOnAMonitor) {
    // 1920x1080 at the origin and 1280x1024 to its right, 200 px down; and one left of it.
    const std::vector<Rect> two{{0, 0, 1920, 1080}, {1920, 200, 3200, 1224}};
    const std::vector<Rect> leftOfPrimary{{-1600, 0, 0, 900}, {0, 0, 1920, 1080}};
    const Size minimum{480, 360};
    const std::tuple<const char*, std::vector<Rect>, Rect, Point, Rect> cases[] = {
        {"hanging over the desktop's left and top: cut", two, {-200, -100, 700, 500}, {10, 10}, {0, 0, 700, 500}},
        {"negative monitor coordinates are kept", leftOfPrimary, {-1500, 100, -700, 700}, {10, 10}, {-1500, 100, -700, 700}},
        {"off every monitor: the one under the pointer", two, {5000, 5000, 5800, 5600}, {2000, 500}, {1920, 200, 3200, 1224}},
        {"off every monitor, pointer off too: the nearest", two, {5000, 0, 5800, 600}, {3500, 700}, {1920, 200, 3200, 1224}},
        {"in the gap below the smaller monitor counts as off", two, {1920, 0, 2400, 190}, {100, 100}, {0, 0, 1920, 1080}},
        {"a sliver at the right edge grows inside", two, {3190, 400, 4000, 1000}, {10, 10}, {2720, 400, 3200, 1000}},
        {"low across both: grows in the one holding most", two, {1900, 900, 2500, 1000}, {10, 10}, {1900, 770, 2500, 1130}},
        {"a tiny frame grows around its centre", two, {500, 500, 510, 504}, {10, 10}, {265, 322, 745, 682}},
        {"corners the wrong way round are put in order", two, {900, 650, 100, 50}, {10, 10}, {100, 50, 900, 650}},
        {"a monitor below the minimum: all of it", {{0, 0, 320, 240}}, {10, 10, 20, 20}, {5, 5}, {0, 0, 320, 240}},
        {"no monitors: the frame as given", {}, {30, 40, 10, 20}, {0, 0}, {10, 20, 30, 40}},
    };
    for (const auto& [what, monitors, frame, pointer, expected] : cases)
        EXPECT_EQ(BoundaryFromFrame(frame, monitors, pointer, minimum), expected) << what;
    // Whatever the frame, the result lies on a monitor and is never smaller than the minimum.
    for (int32_t x = -4000; x <= 6000; x += 370)
        for (int32_t y = -3000; y <= 3000; y += 410)
            for (int32_t size : {0, 1, 479, 800}) {
                const Rect r = BoundaryFromFrame({x, y, x + size, y + size * 3 / 4}, two, {2500, 300}, minimum);
                EXPECT_TRUE((Overlap(r, two[0]) || Overlap(r, two[1])) && r.Width() >= 480 && r.Height() >= 360)
                    << x << "," << y << " size " << size;
            }
}

TEST(HaloGeometry, WindowRingHoleAndFullScreenHole) {
    EXPECT_TRUE(HaloWindowSide(20) == 41 && HaloWindowSide(100) == 201);
    EXPECT_EQ(RingHole({201, 201}, 50), (ShapeRect{50.25, 50.25, 100.5, 100.5}));
    EXPECT_NEAR(RingHole({201, 201}, 95).left + RingHole({201, 201}, 95).width / 2, 100.5, 1e-9);  // stays centred
    // A desktop starting left of the primary monitor: window coordinates shift.
    EXPECT_EQ(HolePaintRect(FullScreenHole({100, 50}, {-1920, 0}, 100)), (Rect{1920, -50, 2120, 150}));
    EXPECT_EQ(HolePaintRect({10.5, 11.5, 40, 40}), (Rect{10, 12, 50, 52}));
}

// The cross-hair line is a lighter shade on the palette's darkest row, a darker one elsewhere.
TEST(OverlayValues, CrossHairShadeAndWhatEachOverlayTakesFromTheRecord) {
    const auto rgb = [](uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; };
    EXPECT_EQ(CrossHairLineShade(PaletteColour(0, 0)), rgb(204, 153, 153));  // 255 - 128 / 2.5 = 203.8
    EXPECT_EQ(CrossHairLineShade(PaletteColour(0, 2)), rgb(102, 0, 0));      // FF0000, a lower row
    SettingsRecord record;
    record.Set(SettingKey::ButtonsFading, 2.5);
    record.Set(SettingKey::HaloTrans, 95);
    EXPECT_FLOAT_EQ(ClickIndicatorValuesOf(record).fadeSeconds, 2.5f);
    EXPECT_EQ(HaloValuesOf(record).alpha, 13);
    EXPECT_EQ(CrossHairValuesOf(record).lineColour, CrossHairLineShade(CrossHairValuesOf(record).colour));
}

// Lengths at 96 dpi scaled to the monitor's, odd where they need a centre; slider ends double too.
TEST(OverlayValues, LengthsScaleFromNinetySixDpiToTheMonitors) {
    const SettingsRecord record;
    const CrossHairValues cross = CrossHairValuesOf(record, 120);
    const ClickIndicatorValues rings = ClickIndicatorValuesOf(record, 120);
    // 8.75 → 9; 7.5 and 12.5 away from zero; the ring side 111 odd.
    EXPECT_EQ((std::array{HaloValuesOf(record, 120).size, cross.thickness, cross.gap, rings.side, rings.wheelWidth}),
              (std::array{125, 9, 125, 111, 13}));
    EXPECT_TRUE(rings.widths == (std::array<int32_t, 3>{14, 10, 8}) && rings.arrowSize == (Size{68, 166}));
    EXPECT_EQ(MouseImageValuesOf(record, 120).WindowSize({42, 50}), (Size{105, 125}));
    EXPECT_EQ(CrossHairValuesOf(record, 192).thickness, 15);  // 14 is even: 15
    SettingsRecord widest;
    widest.Set(SettingKey::CrosshairSize, 30);
    EXPECT_EQ(CrossHairValuesOf(widest, 192).thickness, 63);
    // Off: the record's pixels, whatever the monitor; a monitor that reports nothing counts as 96.
    const std::tuple<bool, uint32_t, uint32_t> dpis[] = {{false, 192, 96}, {true, 0, 96}, {true, 120, 120}};
    for (auto [on, monitorDpi, dpi] : dpis) EXPECT_EQ(OverlayDpi(on, monitorDpi), dpi) << on << " " << monitorDpi;
}

TEST(SettingsLayout, EveryControlLiesInsideTheWindowAndNoTwoOverlap) {
    // The low-refresh box's designed width runs 3 px past the edge; nothing else may.
    ExpectTiled(SettingsControls(), {kSettingsClientWidth, kSettingsClientHeight},
                [](std::string_view name) { return name == "chkSlowRefresh" ? 3 : 0; });
    // No control crosses a band's edge: it stands on the band or beside it.
    for (const SettingsControl& c : SettingsControls())
        for (int32_t top : kBandTops)
            EXPECT_TRUE(!Overlap(c.place, {0, top - 1, kBandWidth, top + kBandHeight}) || OnBand(c.place)) << c.name;
}

// A swatch shows its picker's colour; the two colour options share one setting.
TEST(SettingsLayout, EachSettingHasOneHolderAndEverySliderARange) {
    std::set<SettingKey> held;
    for (const SettingsControl& c : SettingsControls()) {
        if (!c.hasKey || c.kind == ControlKind::Swatch || (c.kind == ControlKind::ColourOption && c.value == 1)) continue;
        EXPECT_TRUE(held.insert(c.key).second) << c.name;
        EXPECT_TRUE(c.kind != ControlKind::Slider || SettingRange(c.key)) << c.name;
    }
    EXPECT_EQ(SliderStep(SettingKey::ButtonsFading), 0.1);  // tenths of a second
}

// Whatever takes the focus is a control window of its own; only the two swatches are painted
// by the window, their clicks handed to the picker of their setting.
TEST(SettingsLayout, WhatTakesTheFocusIsAWindowAndASwatchClickHasAPicker) {
    const auto& controls = SettingsControls();
    int painted = 0;
    for (const SettingsControl& c : controls) {
        if (!PaintedByWindow(c.kind)) continue;
        ++painted;
        EXPECT_TRUE(c.kind == ControlKind::Swatch && std::any_of(controls.begin(), controls.end(), [&](const SettingsControl& p) {
            return p.kind == ControlKind::ColourPicker && p.key == c.key;
        })) << c.name;
    }
    EXPECT_EQ(painted, 2);
}

// Places scale from 96 dpi rounding halves away from zero (692.5, -4.5), and neighbours still
// touch; a press right after the menu closed is the one that closed it, across midnight too.
TEST(SettingsLayout, PlacesScaleWithTheDpiAndNeighboursStillTouch) {
    EXPECT_TRUE(ScaleLength(kSettingsClientHeight, 120) == 693 && ScaleLength(-3, 144) == -5);
    const Rect picker = FindSettingsControl("colpicSpot")->place, swatch = FindSettingsControl("lblSpot")->place;
    for (uint32_t dpi : {120u, 168u}) EXPECT_EQ(ScaleRect(picker, dpi).right, ScaleRect(swatch, dpi).left) << dpi;
    const std::tuple<double, double, bool> presses[] = {{100.0, 100.0, true}, {100.0, 100.015, true}, {100.0, 100.05, false},
                                                        {86399.995, 0.01, true}, {-1, 0.0, false}, {100.0, 50.0, false}};
    for (auto [closedAt, now, closedIt] : presses) EXPECT_EQ(PressClosedMenu(closedAt, now), closedIt) << closedAt << " " << now;
}

// A picker placed at another size than it draws overlaps; the reset covers exactly what is shown.
TEST(ClickOptionsLayout, ControlsTileTheWindowAndTheResetCoversExactlyWhatItShows) {
    ExpectTiled(ClickOptionControls(), {kClickOptionsClientWidth, kClickOptionsClientHeight}, [](std::string_view) { return 0; });
    ColorPicModel picker;
    picker.SetSizeFactorX(kClickOptionsCellWidth);
    picker.SetSizeFactorY(kClickOptionsCellHeight);
    std::set<SettingKey> shown, reset;
    for (const ClickOptionControl& c : ClickOptionControls()) {
        if (c.kind == ClickOptionKind::Picker) { EXPECT_EQ((Size{c.place.Width(), c.place.Height()}), picker.ImageSize()) << c.name; }
        EXPECT_TRUE(!c.hasKey || shown.insert(c.key).second) << c.name;
    }
    for (const ClickOptionValue& v : ClickOptionDefaults()) {
        EXPECT_TRUE(reset.insert(v.key).second);
        EXPECT_EQ(v.value, SettingsRecord().Get(v.key)) << SettingRowOf(v.key).name;
    }
    EXPECT_EQ(shown, reset);
}

// The language's word as it is, blanks too; the notice ends in a range up to the clock's year.
TEST(HelpVersionText, VersionLineAndYearRange) {
    const ProgramVersion version{"Glimmora", 1, 2, 3, "Copyright (C) Glimmora developers 2026-"};
    EXPECT_EQ(VersionLine({"G", 10, 0, 250, ""}, "  wersja  "), "G  wersja  10.0.250");
    for (int32_t year : {2026, 2031}) EXPECT_EQ(HelpVersionText(version, " version ", year),
                  "Glimmora version 1.2.3\r\nLegal notice: Copyright (C) Glimmora developers 2026-" + std::to_string(year));
}
