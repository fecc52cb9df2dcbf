// What both settings targets check of a record loaded from a listing: every value is one
// its holder can hold, and the record saves and reloads unchanged.
#pragma once

#include "settings/ColorPalette.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/fuzz/FuzzCheck.h"

inline void CheckRoundTrip(std::string_view listing, int32_t systemLanguage) {
    const SettingsRecord record = Loaded(listing, systemLanguage);
    SettingsRecord again = record;
    MakeSettingsValid(again, systemLanguage);
    Check(again == record);
    for (size_t i = 0; i < kSettingCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        const double value = record.Get(key);
        const SettingValidity valid = SettingRowOf(key).valid;
        if (valid.check == SettingCheck::Clamp || valid.check == SettingCheck::OneOf)
            Check(value >= valid.min && value <= valid.max);
        if (valid.check == SettingCheck::Palette) Check(value >= 0 && SelectNearest(static_cast<uint32_t>(value)).colour == value);
    }
    Check(record.Get(SettingKey::Language) >= 0 && record.Get(SettingKey::Language) <= 6);
    Check(record.IsOn(SettingKey::WindowVisible) || !record.IsOn(SettingKey::Taskbar));

    IniEntrySink sink;
    Check(SaveSettings(record, sink));
    SettingsRecord reloaded(-5);
    SectionListingSource saved(ListingOf(sink.Entries()));
    LoadSettings(reloaded, saved, (systemLanguage + 1) % 7);
    Check(reloaded == record);
}
