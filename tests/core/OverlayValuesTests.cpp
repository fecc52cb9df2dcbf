// What each overlay is given from the settings record.
#include <gtest/gtest.h>

#include "settings/SettingsRecord.h"
#include "settings/ColorPalette.h"
#include "overlays/OverlayValues.h"

#include <tuple>

namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

TEST(OverlayValues, CrossHairLineIsALighterShadeOnTheDarkestRowAndADarkerOneElsewhere) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {Rgb(255, 255, 255), Rgb(102, 102, 102)},  // 255 / 2.5
        {Rgb(0, 0, 0), Rgb(153, 153, 153)},        // the darkest row: 255 - 255 / 2.5
        {PaletteColour(0, 0), Rgb(204, 153, 153)}, // 7F0000: 255 - 128 / 2.5 = 203.8
        {PaletteColour(0, 2), Rgb(102, 0, 0)},     // FF0000, a lower row
        {Rgb(191, 255, 255), Rgb(76, 102, 102)},   // the default, 76.4 down
    };
    for (auto [colour, shade] : cases) EXPECT_EQ(CrossHairLineShade(colour), shade) << std::hex << colour;
}

TEST(OverlayValues, TakenFromTheRecordAsTheWindowsNeedThem) {
    SettingsRecord record;
    const ClickIndicatorValues rings = ClickIndicatorValuesOf(record);
    EXPECT_EQ(rings.alpha, 128);  // 50 %: 127.5 goes to the even 128
    EXPECT_FLOAT_EQ(rings.fadeSeconds, 1.0f);
    EXPECT_EQ(rings.widths, (std::array<int32_t, 3>{11, 8, 6}));
    EXPECT_TRUE(rings.on && rings.wheelArrows && !rings.letters);

    const CrossHairValues cross = CrossHairValuesOf(record);
    EXPECT_EQ(cross.thickness, 7);
    EXPECT_EQ(cross.alpha, 153);
    EXPECT_EQ(cross.lineColour, CrossHairLineShade(cross.colour));

    record.Set(SettingKey::CrosshairSize, 4);
    record.Set(SettingKey::ButtonsFading, 2.5);
    record.Set(SettingKey::HaloTrans, 95);
    record.Set(SettingKey::MouseImageColor, 1);
    EXPECT_EQ(CrossHairValuesOf(record).thickness, 5);
    EXPECT_FLOAT_EQ(ClickIndicatorValuesOf(record).fadeSeconds, 2.5f);
    EXPECT_EQ(HaloValuesOf(record).alpha, 13);
    EXPECT_TRUE(MouseImageValuesOf(record).black);
}

// Lengths read at 96 dpi and drawn at the monitor's: a wrong factor, a lost half pixel, an
// even band or ring side (no centre pixel), or a clamp applied after scaling shows here.
TEST(OverlayValues, LengthsScaleFromNinetySixDpiToTheMonitors) {
    struct Case {
        uint32_t dpi;
        int32_t halo, thickness, gap, side;
        std::array<int32_t, 3> widths;
        int32_t wheelWidth;
        Size arrow, picture;
    } cases[] = {
        {96, 100, 7, 100, 89, {11, 8, 6}, 10, {54, 133}, {84, 100}},
        {120, 125, 9, 125, 111, {14, 10, 8}, 13, {68, 166}, {105, 125}},   // 8.75 → 9; 7.5 and 12.5 away from zero
        {144, 150, 11, 150, 133, {17, 12, 9}, 15, {81, 200}, {126, 150}},  // 10.5 → 11
        {192, 200, 15, 200, 177, {22, 16, 12}, 20, {108, 266}, {168, 200}}, // 14 is even: 15
    };
    const SettingsRecord record;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(HaloValuesOf(record, c.dpi).size, c.halo);
        const CrossHairValues cross = CrossHairValuesOf(record, c.dpi);
        EXPECT_EQ(cross.thickness, c.thickness);
        EXPECT_EQ(cross.gap, c.gap);
        const ClickIndicatorValues rings = ClickIndicatorValuesOf(record, c.dpi);
        EXPECT_EQ(rings.side, c.side);
        EXPECT_EQ(rings.widths, c.widths);
        EXPECT_EQ(rings.wheelWidth, c.wheelWidth);
        EXPECT_EQ(rings.arrowSize, c.arrow);
        EXPECT_EQ(MouseImageValuesOf(record, c.dpi).WindowSize({42, 50}), c.picture);
        // Nothing but lengths changes with the DPI.
        EXPECT_EQ(rings.alpha, ClickIndicatorValuesOf(record).alpha);
        EXPECT_EQ(cross.alpha, CrossHairValuesOf(record).alpha);
    }

    // The slider ranges are 96-dpi ranges: their ends still double at 200 %.
    SettingsRecord widest;
    widest.Set(SettingKey::CrosshairSize, 30);
    widest.Set(SettingKey::ButtonsSize, 90);
    widest.Set(SettingKey::MouseImageSize, 150);
    EXPECT_EQ(CrossHairValuesOf(widest, 192).thickness, 63);
    EXPECT_EQ(ClickIndicatorValuesOf(widest, 192).side, 361);
    EXPECT_EQ(MouseImageValuesOf(widest, 192).WindowSize({0, 0}), (Size{300, 300}));
}

// Off: the record's pixels, whatever the monitor; a monitor that reports nothing counts as 96.
TEST(OverlayValues, SizesFollowTheMonitorOnlyWhenSwitchedOnAndKnown) {
    const std::tuple<bool, uint32_t, uint32_t> cases[] = {
        {false, 192, 96}, {false, 96, 96}, {true, 0, 96}, {true, 120, 120}, {true, 192, 192}};
    for (auto [on, monitorDpi, dpi] : cases) EXPECT_EQ(OverlayDpi(on, monitorDpi), dpi) << on << " " << monitorDpi;
}

}  // namespace
