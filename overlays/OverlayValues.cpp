#include "overlays/OverlayValues.h"

#include "base/Geometry.h"
#include "settings/ColorPalette.h"
#include "overlays/ClickIndicator.h"
#include "overlays/CrossHairGeometry.h"
#include "overlays/MouseImageLayers.h"
#include "overlays/WheelArrowGeometry.h"

namespace {

int32_t AlphaOf(const SettingsRecord& record, SettingKey transparency) {
    return TransparencyToAlpha(record.Get(transparency));
}

uint32_t ColourOf(const SettingsRecord& record, SettingKey key) {
    return static_cast<uint32_t>(record.GetInt(key));
}

int32_t LengthOf(const SettingsRecord& record, SettingKey key, uint32_t dpi) {
    return ScaleLength(record.GetInt(key), dpi);
}

// Windows with a centre pixel (rings, cross-hair bands) keep an odd side at every DPI.
int32_t Odd(int32_t length) { return length % 2 == 0 ? length + 1 : length; }

}  // namespace

uint32_t OverlayDpi(bool sameSizeOnEveryMonitor, uint32_t monitorDpi) {
    return sameSizeOnEveryMonitor && monitorDpi != 0 ? monitorDpi : kDesignDpi;
}

HaloValues HaloValuesOf(const SettingsRecord& r, uint32_t dpi) {
    return {r.IsOn(SettingKey::Halo),     LengthOf(r, SettingKey::HaloSize, dpi), AlphaOf(r, SettingKey::HaloTrans),
            r.IsOn(SettingKey::HaloRing), r.IsOn(SettingKey::HaloFullScreen),   ColourOf(r, SettingKey::HaloColor)};
}

CrossHairValues CrossHairValuesOf(const SettingsRecord& r, uint32_t dpi) {
    const uint32_t colour = ColourOf(r, SettingKey::CrosshairColor);
    // The slider's range is a 96-dpi range: scaled after it is clamped, so 200 % doubles the widest band too.
    return {r.IsOn(SettingKey::Crosshair),
            Odd(ScaleLength(CrossHairThickness(r.GetInt(SettingKey::CrosshairSize)), dpi)),
            AlphaOf(r, SettingKey::CrosshairTrans),
            LengthOf(r, SettingKey::CrosshairGap, dpi),
            colour,
            CrossHairLineShade(colour),
            r.IsOn(SettingKey::CrosshairArrows)};
}

ClickIndicatorValues ClickIndicatorValuesOf(const SettingsRecord& r, uint32_t dpi) {
    ClickIndicatorValues v;
    v.on = r.IsOn(SettingKey::Buttons);
    v.size = r.GetInt(SettingKey::ButtonsSize);
    v.alpha = AlphaOf(r, SettingKey::ButtonsTrans);
    // The fade is counted in single precision, as the slider hands it over.
    v.fadeSeconds = static_cast<float>(r.Get(SettingKey::ButtonsFading));
    v.colours = {ColourOf(r, SettingKey::LeftButtonColor), ColourOf(r, SettingKey::MiddleButtonColor),
                 ColourOf(r, SettingKey::RightButtonColor)};
    v.widths = {LengthOf(r, SettingKey::LeftButtonWidth, dpi), LengthOf(r, SettingKey::MiddleButtonWidth, dpi),
                LengthOf(r, SettingKey::RightButtonWidth, dpi)};
    v.wheelColour = ColourOf(r, SettingKey::WheelColor);
    v.wheelWidth = LengthOf(r, SettingKey::WheelWidth, dpi);
    v.wheelArrows = r.IsOn(SettingKey::ShowWheelArrows);
    v.letters = r.IsOn(SettingKey::ShowLettersOnRings);
    v.sameSize = r.IsOn(SettingKey::RingsSameSize);
    v.discs = r.IsOn(SettingKey::DisksAsClickIndicators);
    // The ring's radius is scaled, not the window side, so the side stays 2 r + 1.
    v.side = 2 * ScaleLength((ClickWindowSide(v.size) - 1) / 2, dpi) + 1;
    const Size arrow = WheelArrowSize(v.size);
    v.arrowSize = {ScaleLength(arrow.width, dpi), ScaleLength(arrow.height, dpi)};
    return v;
}

MouseImageValues MouseImageValuesOf(const SettingsRecord& r, uint32_t dpi) {
    return {r.IsOn(SettingKey::MouseImage), r.GetInt(SettingKey::MouseImageSize),
            AlphaOf(r, SettingKey::MouseImageTrans), r.IsOn(SettingKey::MouseImageColor),
            r.IsOn(SettingKey::MouseImageLockPos), dpi};
}

Size MouseImageValues::WindowSize(Size picture) const {
    const Size s = MouseImageSize(width, picture);
    return {ScaleLength(s.width, dpi), ScaleLength(s.height, dpi)};
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
