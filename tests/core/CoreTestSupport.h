// Shared by the core tests and the fuzz targets (so no GoogleTest): headers, limits, settings listings.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/Geometry.h"
#include "lang/Language.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"

inline constexpr int32_t kMaxI = std::numeric_limits<int32_t>::max(), kMinI = std::numeric_limits<int32_t>::min();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();

inline bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A settings section as GetPrivateProfileSection lists it: NUL after each entry.
inline std::string Listing(const std::vector<std::string_view>& entries) {
    std::string listing;
    for (std::string_view entry : entries) listing.append(entry).append(1, '\0');
    return listing;
}

// The listing of what a save wrote.
inline std::string ListingOf(const std::vector<IniEntry>& entries) {
    std::string listing;
    for (const IniEntry& e : entries)
        if (e.text) listing += e.key + "=" + *e.text + '\0';
    return listing + '\0';
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
