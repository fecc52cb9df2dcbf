// What both settings targets check of a record loaded from a listing: every value is one
// its holder can hold, and the record saves and reloads unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"
#include "settings/ColorPalette.h"
#include "tests/fuzz/FuzzCheck.h"

// The listing GetPrivateProfileSection would give for these entries.
inline std::string ListingOf(const std::vector<IniEntry>& entries) {
    std::string listing;
    for (const IniEntry& e : entries)
        if (e.text) listing += e.key + "=" + *e.text + '\0';
    return listing + '\0';
}

inline SettingsRecord Loaded(std::string_view listing, int32_t systemLanguage) {
    SettingsRecord record;
    SectionListingSource source(listing);
    LoadSettings(record, source, systemLanguage);
    return record;
}

inline void CheckValid(const SettingsRecord& record, int32_t systemLanguage) {
    SettingsRecord again = record;
    MakeSettingsValid(again, systemLanguage);
    Check(again == record);
    for (size_t i = 0; i < kSettingCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        const double value = record.Get(key);
        if (const auto range = SettingRange(key)) Check(value >= range->min && value <= range->max);
        if (SettingRowOf(key).valid.check == SettingCheck::Palette)
            Check(value >= 0 && SelectNearest(static_cast<uint32_t>(value)).colour == value);
    }
    Check(record.Get(SettingKey::Language) >= 0 && record.Get(SettingKey::Language) <= 6);
    Check(record.Get(SettingKey::WindowState) >= 0 && record.Get(SettingKey::WindowState) <= 2);
    Check(record.Get(SettingKey::Halo) == 0 || record.Get(SettingKey::Halo) == 1);
}

inline void CheckRoundTrip(std::string_view listing, int32_t systemLanguage) {
    const SettingsRecord record = Loaded(listing, systemLanguage);
    CheckValid(record, systemLanguage);
    IniEntrySink sink;
    Check(SaveSettings(record, sink));
    SettingsRecord again(-5);
    SectionListingSource saved(ListingOf(sink.Entries()));
    LoadSettings(again, saved, (systemLanguage + 1) % 7);
    Check(again == record);
    Check(record.Get(SettingKey::Taskbar) == 0 || record.Get(SettingKey::Taskbar) == 1);
    Check(record.IsOn(SettingKey::WindowVisible) || !record.IsOn(SettingKey::Taskbar));
}
