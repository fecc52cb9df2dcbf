// What each overlay is given from the settings record.
#include <gtest/gtest.h>

#include "app/SettingsRecord.h"
#include "controls/ColorPalette.h"
#include "overlays/OverlayValues.h"

namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

TEST(OverlayValues, CrossHairLineIsALighterShadeOnTheDarkestRowAndADarkerOneElsewhere) {
    struct Case {
        uint32_t colour;
        uint32_t shade;
    } cases[] = {
        {Rgb(255, 255, 255), Rgb(102, 102, 102)},  // 255 / 2.5
        {Rgb(0, 0, 0), Rgb(153, 153, 153)},        // the darkest row: 255 - 255 / 2.5
        {PaletteColour(0, 0), Rgb(204, 153, 153)}, // 7F0000: 255 - 128 / 2.5 = 203.8
        {PaletteColour(0, 2), Rgb(102, 0, 0)},     // FF0000, a lower row
        {Rgb(191, 255, 255), Rgb(76, 102, 102)},   // the default, 76.4 down
    };
    for (const Case& c : cases) EXPECT_EQ(CrossHairLineShade(c.colour), c.shade) << std::hex << c.colour;
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

}  // namespace
