#include "settings/Presets.h"

#include "settings/IniLines.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

using K = SettingKey;

struct StartingPoint {
    std::string_view name;
    std::vector<std::pair<SettingKey, double>> changes;  // from the defaults
};

// Recording: modest overlays that read at video size, shortcuts and clicks heard and seen.
// Live: large and findable from the back of a hall. Teaching: every step named.
const std::array<StartingPoint, 3>& StartingPoints() {
    static const std::array<StartingPoint, 3> points{{
        {"Recording", {{K::HaloSize, 60}, {K::HaloTrans, 70}, {K::ListCharacterSpecialKeys, 1}, {K::ListSpecialKeys, 1},
                       {K::ListFunctionKeys, 1}, {K::ListAnyKeys, 1}, {K::ListRepeatCount, 1}, {K::ClickSounds, 1}}},
        {"Live", {{K::HaloSize, 150}, {K::ButtonsSize, 70}, {K::BigPointer, 1}, {K::ShakeToFind, 1},
                  {K::ListCharacterSpecialKeys, 1}, {K::ListAnyKeys, 1}}},
        {"Teaching", {{K::ShowLettersOnRings, 1}, {K::MouseImage, 1}, {K::ListSpecialKeys, 1}, {K::ListCursorKeys, 1},
                      {K::ListFunctionKeys, 1}, {K::ListCharacterSpecialKeys, 1}, {K::ListAnyKeys, 1},
                      {K::ListRepeatCount, 1}, {K::ListKeysFading, 8}, {K::ShakeToFind, 1}}},
    }};
    return points;
}

std::vector<std::pair<SettingKey, double>> PresetValues(const SettingsRecord& record) {
    std::vector<std::pair<SettingKey, double>> values;
    for (const SettingKey key : SettingSaveOrder())
        if (InPreset(key)) values.emplace_back(key, record.Get(key));
    return values;
}

// Only what a save writes: digits, a sign, a decimal part. Anything else is damage, and
// taking it as the profile API would (junk reads as 0) would switch overlays off.
bool IsPlainNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return !whole.empty() && whole.size() <= 10 && digits(whole) && digits(fraction) &&
           (point == std::string_view::npos || !fraction.empty());
}

// A damaged section may hold a great many lines; each is looked up once.
std::optional<SettingKey> KeyNamed(std::string_view name) {
    static const std::unordered_map<std::string, SettingKey> keys = [] {
        std::unordered_map<std::string, SettingKey> made;
        for (std::size_t i = 0; i < kSettingCount; ++i) made.emplace(ini::Lowered(SettingRows()[i].name), static_cast<SettingKey>(i));
        return made;
    }();
    const auto found = keys.find(ini::Lowered(name));
    return found == keys.end() ? std::nullopt : std::optional(found->second);
}

}  // namespace

bool InPreset(SettingKey key) {
    switch (key) {
    case K::Language: case K::Taskbar: case K::WindowState: case K::WindowVisible:
    case K::HotKeyPresetSpec1: case K::HotKeyPresetSpec2: case K::HotKeyPresetKeyCode: case K::PresetsInMenus:
        return false;
    default:
        return true;
    }
}

std::optional<std::string> PresetName(std::string_view typed) {
    typed = ini::Trimmed(typed);
    if (typed.empty() || typed.size() > kLongestPresetName) return std::nullopt;
    for (const char c : typed)
        if (static_cast<unsigned char>(c) < 0x20 || c == '[' || c == ']') return std::nullopt;
    return std::string(typed);
}

Presets::Presets() {
    for (const StartingPoint& point : StartingPoints()) {
        SettingsRecord record;
        for (const auto& [key, value] : point.changes) record.Set(key, value);
        presets_.push_back({std::string(point.name), PresetValues(record), false});
    }
}

void Presets::Load(std::string_view fileText, int32_t systemLanguage) {
    *this = Presets();
    std::vector<std::string> seen;
    for (const std::string& section : SectionNamesOf(fileText)) {
        if (section.size() <= kPresetSectionPrefix.size() ||
            !ini::SameName(section.substr(0, kPresetSectionPrefix.size()), kPresetSectionPrefix))
            continue;
        const auto name = PresetName(section.substr(kPresetSectionPrefix.size()));
        if (!name || std::any_of(seen.begin(), seen.end(), [&](const std::string& s) { return ini::SameName(s, *name); }))
            continue;
        seen.push_back(*name);
        Preset preset{*name, {}, true};
        SettingsRecord read(systemLanguage);
        for (const auto& [key, text] : SectionEntriesOf(fileText, section)) {
            const auto setting = KeyNamed(key);
            if (!setting || !InPreset(*setting) || !IsPlainNumber(text)) continue;
            LoadSetting(read, *setting, text, systemLanguage);
            preset.values.emplace_back(*setting, read.Get(*setting));
        }
        if (Preset* same = Named(*name))
            *same = std::move(preset);
        else
            presets_.push_back(std::move(preset));
    }
}

Preset* Presets::Named(std::string_view name) {
    const auto found = std::find_if(presets_.begin(), presets_.end(), [&](const Preset& p) { return ini::SameName(p.name, name); });
    return found == presets_.end() ? nullptr : &*found;
}

const Preset* Presets::Find(std::string_view name) const { return const_cast<Presets*>(this)->Named(name); }

std::optional<std::size_t> StartingPointIndex(std::string_view name) {
    for (std::size_t i = 0; i < StartingPoints().size(); ++i)
        if (ini::SameName(StartingPoints()[i].name, name)) return i;
    return std::nullopt;
}

bool Presets::Save(std::string_view typed, const SettingsRecord& record) {
    const auto name = PresetName(typed);
    if (!name) return false;
    Preset preset{*name, PresetValues(record), true};
    if (Preset* same = Named(*name))
        *same = std::move(preset);
    else
        presets_.push_back(std::move(preset));
    return true;
}

std::optional<std::size_t> Presets::Current(const SettingsRecord& record) const {
    for (std::size_t i = 0; i < presets_.size(); ++i) {
        const auto& values = presets_[i].values;
        if (!values.empty() && std::all_of(values.begin(), values.end(),
                                           [&](const auto& v) { return record.Get(v.first) == v.second; }))
            return i;
    }
    return std::nullopt;
}

std::size_t Presets::Next(const SettingsRecord& record) const {
    const auto current = Current(record);
    return current ? (*current + 1) % presets_.size() : 0;
}

std::vector<std::pair<std::string, std::vector<IniEntry>>> Presets::Sections() const {
    std::vector<std::pair<std::string, std::vector<IniEntry>>> sections;
    for (const Preset& preset : presets_) {
        if (!preset.saved) continue;
        SettingsRecord record = WithPreset(SettingsRecord(), preset);
        std::vector<IniEntry> entries;
        for (const auto& [key, value] : preset.values)
            entries.push_back({std::string(SettingRowOf(key).name), SettingText(record, key)});
        sections.emplace_back(std::string(kPresetSectionPrefix) + preset.name, std::move(entries));
    }
    return sections;
}

SettingsRecord WithPreset(const SettingsRecord& current, const Preset& preset) {
    SettingsRecord record = current;
    for (const auto& [key, value] : preset.values) record.Set(key, value);
    return record;
}
