#include "ui/SettingsLayout.h"

#include <array>

namespace {

using K = ControlKind;
using S = SettingKey;
using H = HotKeyAction;

constexpr auto At = Rect::At;

constexpr SettingsControl Make(int32_t id, std::string_view name, K kind, Rect place, int32_t caption = 0) {
    SettingsControl c{};
    c.id = id;
    c.name = name;
    c.kind = kind;
    c.place = place;
    c.caption = caption;
    return c;
}

constexpr SettingsControl Setting(int32_t id, std::string_view name, K kind, Rect place, int32_t caption, S key,
                                  int32_t tooltip = 0) {
    SettingsControl c = Make(id, name, kind, place, caption);
    c.tooltip = tooltip;
    c.key = key;
    c.hasKey = true;
    return c;
}

constexpr SettingsControl Plain(int32_t id, std::string_view name, K kind, Rect place, int32_t caption,
                                int32_t tooltip = 0) {
    SettingsControl c = Make(id, name, kind, place, caption);
    c.tooltip = tooltip;
    return c;
}

constexpr SettingsControl Option(int32_t id, std::string_view name, K kind, Rect place, int32_t caption, S key,
                                 int32_t value, int32_t tooltip = 0) {
    SettingsControl c = Setting(id, name, kind, place, caption, key, tooltip);
    c.value = value;
    return c;
}

// The graphical pair has no setting: pausing is never saved.
constexpr SettingsControl Play(int32_t id, std::string_view name, Rect place, int32_t value, int32_t tooltip) {
    SettingsControl c = Plain(id, name, K::PlayOption, place, 0, tooltip);
    c.value = value;
    return c;
}

constexpr SettingsControl Lock(int32_t id, std::string_view name, Rect place, std::string_view text, S key,
                               int32_t tooltip) {
    SettingsControl c = Setting(id, name, K::LockToggle, place, 0, key, tooltip);
    c.fixedText = text;
    return c;
}

// The check box, shortcut label and shortcut button on a group's band.
constexpr int32_t kSelectShortcut = 129;
constexpr SettingsControl Hotkey(int32_t id, std::string_view name, K kind, int32_t bandTop, H action) {
    SettingsControl c =
        Make(id, name, kind, kind == K::HotkeyLabel ? At(240, bandTop + 2, 297, 17) : At(544, bandTop, 34, 20));
    if (kind == K::HotkeyButton) c.tooltip = kSelectShortcut;
    c.action = action;
    return c;
}
constexpr Rect BandCheck(int32_t bandTop) { return At(16, bandTop, 217, 20); }

constexpr Rect Slider96(int32_t left, int32_t top) { return At(left, top, 105, 37); }
constexpr Rect TransSlider96(int32_t top) { return At(456, top, 121, 37); }

// Captions (string ids).
constexpr int32_t kFading = 11, kSize = 12, kTransparency = 13, kCentralGap = 33, kDelay = 98;

const std::array kControls{
    Plain(1000, "cmdMenu", K::MenuButton, At(8, 8, 105, 32), 1),
    Play(1001, "optPlay", At(128, 8, 105, 32), 0, 7),
    Play(1002, "optPause", At(236, 8, 105, 32), 1, 8),

    Setting(1010, "chkButtons", K::CheckBox, BandCheck(56), 10, S::Buttons),
    Hotkey(1011, "lblHotkeyButtons", K::HotkeyLabel, 56, H::Buttons),
    Hotkey(1012, "cmdHotkeyButtons", K::HotkeyButton, 56, H::Buttons),
    Setting(1013, "sldFadeButtons", K::Slider, Slider96(128, 80), kFading, S::ButtonsFading),
    Setting(1014, "sldSizeButtons", K::Slider, Slider96(236, 80), kSize, S::ButtonsSize),
    Plain(1015, "cmdClickOptions", K::Button, At(344, 80, 105, 39), 123),
    Setting(1016, "sldTransButtons", K::Slider, TransSlider96(80), kTransparency, S::ButtonsTrans),

    Setting(1020, "chkPicture", K::CheckBox, BandCheck(128), 14, S::MouseImage),
    Hotkey(1021, "lblHotkeyPicture", K::HotkeyLabel, 128, H::Picture),
    Hotkey(1022, "cmdHotkeyPicture", K::HotkeyButton, 128, H::Picture),
    Lock(1023, "chkPictureLockPos", At(168, 152, 28, 28), "F3", S::MouseImageLockPos, 94),
    Setting(1024, "sldSizePicture", K::Slider, Slider96(236, 152), kSize, S::MouseImageSize),
    Option(1025, "optColorPicture0", K::ColourOption, At(350, 153, 99, 18), 34, S::MouseImageColor, 0),
    Option(1026, "optColorPicture1", K::ColourOption, At(350, 171, 99, 18), 35, S::MouseImageColor, 1),
    Setting(1027, "sldTransPicture", K::Slider, TransSlider96(152), kTransparency, S::MouseImageTrans),

    Setting(1030, "chkSpot", K::CheckBox, BandCheck(200), 15, S::Halo),
    Hotkey(1031, "lblHotkeySpot", K::HotkeyLabel, 200, H::Spot),
    Hotkey(1032, "cmdHotkeySpot", K::HotkeyButton, 200, H::Spot),
    Setting(1033, "chkRing", K::CheckBox, At(84, 224, 148, 20), 16, S::HaloRing),
    Setting(1034, "chkFullScreen", K::CheckBox, At(84, 244, 148, 20), 17, S::HaloFullScreen),
    Setting(1035, "sldSizeSpot", K::Slider, Slider96(236, 224), kSize, S::HaloSize),
    Setting(1036, "colpicSpot", K::ColourPicker, At(344, 224, 83, 37), 15, S::HaloColor),
    Setting(1037, "lblSpot", K::Swatch, At(427, 224, 22, 37), 0, S::HaloColor),
    Setting(1038, "sldTransSpot", K::Slider, TransSlider96(224), kTransparency, S::HaloTrans),

    Setting(1040, "chkCrossHair", K::CheckBox, BandCheck(272), 18, S::Crosshair),
    Hotkey(1041, "lblHotkeyCrossHair", K::HotkeyLabel, 272, H::CrossHair),
    Hotkey(1042, "cmdHotkeyCrossHair", K::HotkeyButton, 272, H::CrossHair),
    Setting(1043, "chkArrows", K::CheckBox, At(48, 296, 78, 20), 19, S::CrosshairArrows),
    Setting(1044, "sldGapCrossHair", K::Slider, Slider96(128, 296), kCentralGap, S::CrosshairGap),
    Setting(1045, "sldSizeCrossHair", K::Slider, Slider96(236, 296), kSize, S::CrosshairSize),
    Setting(1046, "colpicCrossHair", K::ColourPicker, At(344, 296, 83, 37), 18, S::CrosshairColor),
    Setting(1047, "lblCrossHair", K::Swatch, At(427, 296, 22, 37), 0, S::CrosshairColor),
    Setting(1048, "sldTransCrossHair", K::Slider, TransSlider96(296), kTransparency, S::CrosshairTrans),

    Setting(1050, "chkListSpecialKeys", K::CheckBox, BandCheck(344), 20, S::ListAnyKeys),
    Hotkey(1051, "lblHotkeyKeyBoard", K::HotkeyLabel, 344, H::KeyBoard),
    Hotkey(1052, "cmdHotkeyKeyBoard", K::HotkeyButton, 344, H::KeyBoard),
    Plain(1053, "cmdKeyOptions", K::Button, At(56, 368, 65, 55), 22, 21),
    Setting(1054, "sldFadeKeys", K::Slider, Slider96(128, 368), kFading, S::ListKeysFading),
    Lock(1055, "chkKeyLockPos", At(168, 408, 28, 28), "F4", S::ListLockPos, 95),
    Plain(1056, "lblShowKeys", K::Label, At(236, 368, 217, 18), 23),
    Setting(1057, "chkShowKeysWindow", K::CheckBox, At(236, 388, 217, 17), 24, S::ShowKeysWindow),
    Setting(1058, "chkShowKeysClick", K::CheckBox, At(236, 405, 217, 34), 25, S::ShowKeysClick),
    Setting(1059, "sldTransKeyBoard", K::Slider, TransSlider96(368), kTransparency, S::KeyBoardTrans),

    Setting(1060, "chkAutoHideMouse", K::CheckBox, At(8, 464, 325, 35), 96, S::AutoHideMouse),
    Setting(1061, "sldFadeAutoHide", K::Slider, Slider96(344, 464), kDelay, S::FadeAutoHide),
    // Its designed width runs 3 px past the client area, which clips it.
    Setting(1062, "chkSlowRefresh", K::CheckBox, At(452, 464, 131, 77), 26, S::LowRefresh),
    Setting(1063, "chkAutoHideKeyboard", K::CheckBox, At(8, 508, 437, 35), 97, S::AutoHideKeyboard),
};

}  // namespace

std::span<const SettingsControl> SettingsControls() { return kControls; }

const SettingsControl* FindSettingsControl(int32_t id) {
    for (const SettingsControl& c : kControls)
        if (c.id == id) return &c;
    return nullptr;
}

const SettingsControl* FindSettingsControl(std::string_view name) {
    for (const SettingsControl& c : kControls)
        if (c.name == name) return &c;
    return nullptr;
}

bool OnBand(const Rect& place) {
    for (int32_t top : kBandTops)
        if (place.top >= top && place.bottom <= top + kBandHeight) return true;
    return false;
}

bool PaintedByWindow(ControlKind kind) { return kind == ControlKind::Swatch; }

double SliderStep(SettingKey key) { return key == SettingKey::ButtonsFading ? 0.1 : 1.0; }

bool PressClosedMenu(double menuClosedAt, double now) {
    constexpr double kDay = 86400;
    if (now < menuClosedAt) now += kDay;  // midnight passed between the two
    return now - menuClosedAt <= 0.02;
}
