// Small helpers several core test files share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Geometry.h"
#include "settings/SettingsSection.h"
#include "lang/Language.h"

inline bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A settings section as GetPrivateProfileSection lists it: NUL after each entry.
inline std::string Listing(const std::vector<std::string_view>& entries) {
    std::string listing;
    for (std::string_view entry : entries) listing.append(entry).append(1, '\0');
    return listing;
}

// The record a settings file of this listing loads into.
inline SettingsRecord Loaded(std::string_view listing, int32_t systemLanguage = 0) {
    SettingsRecord record;
    SectionListingSource source(listing);
    LoadSettings(record, source, systemLanguage);
    return record;
}

inline clsLanguage InLanguage(int32_t language, std::vector<AlternativeText> alternatives = {}) {
    clsLanguage lang("", std::move(alternatives));
    lang.ChangeLanguage(language);
    return lang;
}
