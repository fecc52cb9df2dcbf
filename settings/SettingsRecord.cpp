#include "settings/SettingsRecord.h"

#include "base/Geometry.h"
#include "settings/ColorPalette.h"
#include "lang/Language.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A table cell that is either a number or a rule naming where the default comes from.
struct DefaultCell {
    constexpr DefaultCell(double value) : fixed(value), rule(SettingDefault::Fixed) {}
    constexpr DefaultCell(SettingDefault defaultRule) : fixed(0), rule(defaultRule) {}
    double fixed;
    SettingDefault rule;
};

// The names the table uses for its computed defaults.
constexpr SettingDefault AnyListClass = SettingDefault::AnyListClass;
constexpr SettingDefault SystemLanguage = SettingDefault::SystemLanguage;

// The names the table uses for what a holder can hold.
constexpr SettingValidity AsRead{SettingCheck::AsRead, 0, 0};
constexpr SettingValidity CheckBox{SettingCheck::OneOf, 0, 1};
constexpr SettingValidity Palette{SettingCheck::Palette, 0, 0};
constexpr SettingValidity KnownLanguage{SettingCheck::OneOf, 0, kLanguageCount - 1};
constexpr SettingValidity Slider(int32_t min, int32_t max) { return {SettingCheck::Clamp, min, max}; }
constexpr SettingValidity OneOf(int32_t min, int32_t max) { return {SettingCheck::OneOf, min, max}; }

constexpr SettingRow MakeRow(std::string_view name, DefaultCell cell, SettingLoad load, SettingSave save,
                               SettingGroup group, SettingValidity valid) {
    return SettingRow{name, cell.fixed, cell.rule, load, save, group, valid};
}

#define GLIMMORA_SETTING_ROW(name, def, load, save, group, valid) \
    MakeRow(#name, DefaultCell(def), SettingLoad::load, SettingSave::save, SettingGroup::group, valid),
constexpr std::array<SettingRow, kSettingCount> kRows = {{GLIMMORA_SETTINGS(GLIMMORA_SETTING_ROW)}};
#undef GLIMMORA_SETTING_ROW

#define GLIMMORA_SETTING_ONE(name, def, load, save, group, valid) +1
static_assert(0 GLIMMORA_SETTINGS(GLIMMORA_SETTING_ONE) == kSettingCount, "one row per key");
#undef GLIMMORA_SETTING_ONE

constexpr std::array<SettingKey, kSettingCount> MakeSaveOrder() {
    std::array<SettingKey, kSettingCount> order{};
    std::size_t next = 0;
    for (SettingGroup group : {SettingGroup::Main, SettingGroup::Shortcut, SettingGroup::Added}) {
        for (std::size_t i = 0; i < kSettingCount; ++i) {
            if (kRows[i].group == group) order[next++] = static_cast<SettingKey>(i);
        }
    }
    return order;
}
constexpr std::array<SettingKey, kSettingCount> kSaveOrder = MakeSaveOrder();

constexpr SettingKey kListClasses[] = {
    SettingKey::ListSpecialKeys, SettingKey::ListCharacterKeys, SettingKey::ListCharacterSpecialKeys,
    SettingKey::ListCursorKeys,  SettingKey::ListFunctionKeys,  SettingKey::ListInputKeys,
    SettingKey::ListMouseButtons,
};

std::string IntegerText(double whole) {
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string DecimalText(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == std::trunc(value)) return IntegerText(value + 0.0);
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

// The default as the file would hold it.
int32_t FileDefault(const SettingsRecord& record, const SettingRow& row, int32_t systemLanguage) {
    switch (row.defaultRule) {
        case SettingDefault::Fixed: break;
        case SettingDefault::SystemLanguage: return systemLanguage;
        case SettingDefault::AnyListClass:
            return std::any_of(std::begin(kListClasses), std::end(kListClasses),
                               [&](SettingKey k) { return record.IsOn(k); });
    }
    return static_cast<int32_t>(row.fixedDefault);
}

double HeldValue(const SettingsRecord& record, const SettingRow& row, int32_t read) {
    switch (row.load) {
        case SettingLoad::Plain: break;
        case SettingLoad::Tenths: return read / 10.0;
        case SettingLoad::NonZeroIsOne: return read != 0;
        case SettingLoad::VisibleIfTaskbar: return record.IsOn(SettingKey::Taskbar) || read != 0;
    }
    return read;
}

class EmptySource final : public IniSource {
public:
    std::optional<std::string> Read(std::string_view) override { return std::nullopt; }
};

}  // namespace

const std::array<SettingRow, kSettingCount>& SettingRows() { return kRows; }

const SettingRow& SettingRowOf(SettingKey key) { return kRows[static_cast<std::size_t>(key)]; }

const std::array<SettingKey, kSettingCount>& SettingSaveOrder() { return kSaveOrder; }

SettingsRecord::SettingsRecord(int32_t systemLanguage) {
    EmptySource nothing;
    LoadSettings(*this, nothing, systemLanguage);
}

int32_t SettingsRecord::GetInt(SettingKey key) const { return RoundEven(Get(key)); }

int32_t ParseProfileInt(std::string_view text, int32_t fallback) {
    if (text.empty()) return fallback;
    text = text.substr(0, 29);
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    uint32_t total = 0;  // unsigned, so that overflow wraps as the API's does
    for (; i < text.size(); ++i) {
        const char c = text[i];
        uint32_t digit = 99;
        if (c >= '0' && c <= '9') digit = uint32_t(c - '0');
        if (c >= 'a' && c <= 'z') digit = uint32_t(c - 'a' + 10);
        if (c >= 'A' && c <= 'Z') digit = uint32_t(c - 'A' + 10);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - total : total);
}

double SettingDefaultValue(const SettingsRecord& record, SettingKey key, int32_t systemLanguage) {
    const SettingRow& row = SettingRowOf(key);
    return HeldValue(record, row, FileDefault(record, row, systemLanguage));
}

void LoadSettings(SettingsRecord& record, IniSource& source, int32_t systemLanguage) {
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const SettingRow& row = kRows[i];
        const auto key = static_cast<SettingKey>(i);
        const int32_t fallback = FileDefault(record, row, systemLanguage);
        std::optional<std::string> text = source.Read(row.name);
        record.Set(key, HeldValue(record, row, text ? ParseProfileInt(*text, fallback) : fallback));
        // Key by key rather than once at the end, so that the default of "ListAnyKeys" sees
        // the key classes as their check boxes will hold them ("ListMouseButtons=5" is off).
        MakeSettingValid(record, key, systemLanguage);
    }
}

void LoadSetting(SettingsRecord& record, SettingKey key, std::string_view text, int32_t systemLanguage) {
    const SettingRow& row = SettingRowOf(key);
    record.Set(key, HeldValue(record, row, ParseProfileInt(text, FileDefault(record, row, systemLanguage))));
    MakeSettingValid(record, key, systemLanguage);
}

std::string SettingText(const SettingsRecord& record, SettingKey key) {
    const double value = record.Get(key);
    switch (SettingRowOf(key).save) {
        case SettingSave::Decimal: return DecimalText(value);
        case SettingSave::Nearest: return std::to_string(RoundEven(value));
        case SettingSave::Tenths: return std::to_string(RoundEven(value * 10.0));
        case SettingSave::ZeroOrOne: return value != 0 ? "1" : "0";
    }
    return "0";
}

bool SaveSettings(const SettingsRecord& record, IniSink& sink) {
    const SettingsRecord defaults;  // the added keys' defaults are fixed, whatever the language
    bool allWritten = true;
    for (SettingKey key : kSaveOrder) {
        const std::string_view name = SettingRowOf(key).name;
        const std::string text = SettingText(record, key);
        const bool leaveOut = SettingRowOf(key).group == SettingGroup::Added && text == SettingText(defaults, key);
        allWritten = (leaveOut ? sink.Remove(name) : sink.Write(name, text)) && allWritten;
    }
    return allWritten;
}

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
