#include "app/SettingsValid.h"

#include <algorithm>
#include <cmath>

#include "controls/ColorPalette.h"

std::optional<ValueRange> SettingRange(SettingKey key) {
    const SettingValidity& valid = SettingRowOf(key).valid;
    if (valid.check != SettingCheck::Clamp) return std::nullopt;
    return ValueRange{valid.min, valid.max};
}

void MakeSettingValid(SettingsRecord& record, SettingKey key, int32_t systemLanguage) {
    const SettingValidity& valid = SettingRowOf(key).valid;
    const double value = record.Get(key);
    const double min = valid.min, max = valid.max;
    const bool whole = value == std::trunc(value);  // false for NaN and infinities as well
    switch (valid.check) {
        case SettingCheck::AsRead: return;
        case SettingCheck::Clamp:
            if (std::isnan(value)) record.Set(key, SettingDefaultValue(record, key, systemLanguage));
            else record.Set(key, std::clamp(value, min, max));
            return;
        case SettingCheck::OneOf:
            if (!(whole && value >= min && value <= max))
                record.Set(key, SettingDefaultValue(record, key, systemLanguage));
            return;
        case SettingCheck::Palette: {
            // Only 0x00BBGGRR is a colour the palette can come near. A value with the top bit
            // set names a system colour, which only the display it is shown on can resolve
            // (and which changes with the theme); the picker holds palette colours only, so
            // such a value, like any other it cannot hold, falls back to the key's default.
            const bool rgb = whole && value >= 0 && value <= 0xFFFFFF;
            const double colour = rgb ? value : SettingDefaultValue(record, key, systemLanguage);
            record.Set(key, SelectNearest(static_cast<uint32_t>(colour)).colour);
            return;
        }
    }
}

void MakeSettingsValid(SettingsRecord& record, int32_t systemLanguage) {
    for (std::size_t i = 0; i < kSettingCount; ++i) MakeSettingValid(record, static_cast<SettingKey>(i), systemLanguage);
}
