#include "ui/ClickOptionsLayout.h"

#include <algorithm>
#include <array>

namespace {

using K = ClickOptionKind;
using S = SettingKey;
using P = ClickPart;

constexpr auto At = Rect::At;

// Three columns of label, picker and slider, one per button; the wheel's picker with its
// check box beside it below the ring options. Pickers are 9 × 5 cells plus a one-pixel
// margin: 128 × 57 at 14 × 11.
constexpr int32_t kColumns[3] = {16, 192, 368};
constexpr int32_t kLabelWidth = 140;
constexpr int32_t kPickerWidth = 9 * kClickOptionsCellWidth + 2;
constexpr int32_t kPickerHeight = 5 * kClickOptionsCellHeight + 2;
constexpr int32_t kSliderWidth = 129;
constexpr int32_t kSliderHeight = 37;
// Two lines of text, for the languages whose sentence does not fit one.
constexpr int32_t kCheckHeight = 32;
constexpr int32_t kCheckRight = 498;

const std::array<ClickOptionControl, 18> kControls = {{
    {201, "lblLeft", K::Label, At(kColumns[0], 16, kLabelWidth, 20), 113},
    {202, "colpicLeft", K::Picker, At(kColumns[0], 40, kPickerWidth, kPickerHeight), 113, S::LeftButtonColor, true, P::Left},
    {203, "sldWidthLeft", K::Slider, At(kColumns[0], 104, kSliderWidth, kSliderHeight), 117, S::LeftButtonWidth, true, P::Left},
    {204, "lblMiddle", K::Label, At(kColumns[1], 16, kLabelWidth, 20), 114},
    {205, "colpicMiddle", K::Picker, At(kColumns[1], 40, kPickerWidth, kPickerHeight), 114, S::MiddleButtonColor, true, P::Middle},
    {206, "sldWidthMiddle", K::Slider, At(kColumns[1], 104, kSliderWidth, kSliderHeight), 117, S::MiddleButtonWidth, true, P::Middle},
    {207, "lblRight", K::Label, At(kColumns[2], 16, kLabelWidth, 20), 115},
    {208, "colpicRight", K::Picker, At(kColumns[2], 40, kPickerWidth, kPickerHeight), 115, S::RightButtonColor, true, P::Right},
    {209, "sldWidthRight", K::Slider, At(kColumns[2], 104, kSliderWidth, kSliderHeight), 117, S::RightButtonWidth, true, P::Right},
    {210, "chkShowButtonLetter", K::CheckBox, {16, 152, kCheckRight, 152 + kCheckHeight}, 118, S::ShowLettersOnRings, true},
    {211, "chkSameSize", K::CheckBox, {16, 192, kCheckRight, 192 + kCheckHeight}, 119, S::RingsSameSize, true},
    {212, "chkDisks", K::CheckBox, {16, 232, kCheckRight, 232 + kCheckHeight}, 120, S::DisksAsClickIndicators, true},
    {213, "lblWheel", K::Label, At(16, 280, 300, 20), 116},
    {214, "colpicWheel", K::Picker, At(16, 304, kPickerWidth, kPickerHeight), 116, S::WheelColor, true, P::Wheel},
    {215, "chkWheelVisible", K::CheckBox, {168, 312, kCheckRight, 312 + kCheckHeight}, 121, S::ShowWheelArrows, true},
    {216, "sldWidthWheel", K::Slider, At(16, 368, kSliderWidth, kSliderHeight), 117, S::WheelWidth, true, P::Wheel},
    {217, "cmdDefault", K::DefaultButton, At(16, 424, 189, 29), 122},
    {218, "cmdClose", K::CloseButton, At(384, 424, 117, 29), 43},
}};

constexpr std::array<SettingKey, 12> kResetOrder = {
    S::ShowWheelArrows,   S::ShowLettersOnRings, S::RingsSameSize,    S::DisksAsClickIndicators,
    S::LeftButtonColor,   S::MiddleButtonColor,  S::RightButtonColor, S::WheelColor,
    S::LeftButtonWidth,   S::MiddleButtonWidth,  S::RightButtonWidth, S::WheelWidth,
};

}  // namespace

std::span<const ClickOptionControl> ClickOptionControls() { return kControls; }

const ClickOptionControl* FindClickOption(std::string_view name) {
    const auto found = std::find_if(kControls.begin(), kControls.end(), [&](const auto& c) { return c.name == name; });
    return found == kControls.end() ? nullptr : &*found;
}

const ClickOptionControl* FindClickOption(int32_t id) {
    const auto found = std::find_if(kControls.begin(), kControls.end(), [&](const auto& c) { return c.id == id; });
    return found == kControls.end() ? nullptr : &*found;
}

std::span<const ClickOptionValue> ClickOptionDefaults() {
    // The settings file's defaults are the same values; taking them from a fresh record
    // keeps one table of them, with the colours already snapped as the pickers snap them.
    static const std::array<ClickOptionValue, kResetOrder.size()> defaults = [] {
        const SettingsRecord fresh;
        std::array<ClickOptionValue, kResetOrder.size()> values{};
        for (std::size_t i = 0; i < kResetOrder.size(); ++i) values[i] = {kResetOrder[i], fresh.Get(kResetOrder[i])};
        return values;
    }();
    return defaults;
}
