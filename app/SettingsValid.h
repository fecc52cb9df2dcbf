// Values as their holders can hold them: a slider keeps its value within its range, a
// colour picker on its palette, a check box at 0 or 1. The file may say anything; these
// rules run once, as it is loaded, so nothing downstream has to doubt a value again.
#pragma once

#include <cstdint>
#include <optional>

#include "app/SettingsRecord.h"

struct ValueRange {
    int32_t min;
    int32_t max;
    bool operator==(const ValueRange&) const = default;
};

// The range of the slider that holds key, in the units the record holds (seconds for
// "ButtonsFading"); nothing for a key no slider holds.
std::optional<ValueRange> SettingRange(SettingKey key);

// Brings one key to a value its holder can hold. The keys before it in reading order
// should be valid already: the default of "ListAnyKeys" follows the key classes.
void MakeSettingValid(SettingsRecord& record, SettingKey key, int32_t systemLanguage);

// Every key in reading order. Shortcuts and window positions stay as they are; a
// language that is none of ours becomes the system language.
void MakeSettingsValid(SettingsRecord& record, int32_t systemLanguage);
