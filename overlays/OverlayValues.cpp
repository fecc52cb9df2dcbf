#include "overlays/OverlayValues.h"

#include "app/Geometry.h"
#include "controls/ColorPalette.h"
#include "overlays/CrossHairGeometry.h"

namespace {

int32_t AlphaOf(const SettingsRecord& record, SettingKey transparency) {
    return TransparencyToAlpha(record.Get(transparency));
}

uint32_t ColourOf(const SettingsRecord& record, SettingKey key) {
    return static_cast<uint32_t>(record.GetInt(key));
}

}  // namespace

HaloValues HaloValuesOf(const SettingsRecord& r) {
    return {r.IsOn(SettingKey::Halo),     r.GetInt(SettingKey::HaloSize),       AlphaOf(r, SettingKey::HaloTrans),
            r.IsOn(SettingKey::HaloRing), r.IsOn(SettingKey::HaloFullScreen), ColourOf(r, SettingKey::HaloColor)};
}

CrossHairValues CrossHairValuesOf(const SettingsRecord& r) {
    const uint32_t colour = ColourOf(r, SettingKey::CrosshairColor);
    return {r.IsOn(SettingKey::Crosshair),
            CrossHairThickness(r.GetInt(SettingKey::CrosshairSize)),
            AlphaOf(r, SettingKey::CrosshairTrans),
            r.GetInt(SettingKey::CrosshairGap),
            colour,
            CrossHairLineShade(colour),
            r.IsOn(SettingKey::CrosshairArrows)};
}

ClickIndicatorValues ClickIndicatorValuesOf(const SettingsRecord& r) {
    ClickIndicatorValues v;
    v.on = r.IsOn(SettingKey::Buttons);
    v.size = r.GetInt(SettingKey::ButtonsSize);
    v.alpha = AlphaOf(r, SettingKey::ButtonsTrans);
    // The fade is counted in single precision, as the slider hands it over.
    v.fadeSeconds = static_cast<float>(r.Get(SettingKey::ButtonsFading));
    v.colours = {ColourOf(r, SettingKey::LeftButtonColor), ColourOf(r, SettingKey::MiddleButtonColor),
                 ColourOf(r, SettingKey::RightButtonColor)};
    v.widths = {r.GetInt(SettingKey::LeftButtonWidth), r.GetInt(SettingKey::MiddleButtonWidth),
                r.GetInt(SettingKey::RightButtonWidth)};
    v.wheelColour = ColourOf(r, SettingKey::WheelColor);
    v.wheelWidth = r.GetInt(SettingKey::WheelWidth);
    v.wheelArrows = r.IsOn(SettingKey::ShowWheelArrows);
    v.letters = r.IsOn(SettingKey::ShowLettersOnRings);
    v.sameSize = r.IsOn(SettingKey::RingsSameSize);
    v.discs = r.IsOn(SettingKey::DisksAsClickIndicators);
    return v;
}

MouseImageValues MouseImageValuesOf(const SettingsRecord& r) {
    return {r.IsOn(SettingKey::MouseImage), r.GetInt(SettingKey::MouseImageSize),
            AlphaOf(r, SettingKey::MouseImageTrans), r.IsOn(SettingKey::MouseImageColor),
            r.IsOn(SettingKey::MouseImageLockPos)};
}

uint32_t CrossHairLineShade(uint32_t colour) {
    const bool topRow = SelectNearest(colour).row == 0;
    uint32_t shade = 0;
    for (int shift : {0, 8, 16}) {
        const double x = (colour >> shift) & 0xFF;
        const int32_t channel = RoundEven(topRow ? 255 - (255 - x) / 2.5 : x / 2.5);
        shade |= static_cast<uint32_t>(channel) << shift;
    }
    return shade;
}
