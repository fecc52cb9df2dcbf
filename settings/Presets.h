// Named sets of settings: "Recording", "Live" and "Teaching" to start from, and whatever the
// user saves. Each lives in a section of its own, "[Preset <name>]", holding every key a
// preset sets. A preset switches the program's look, never its language, its settings
// window's state, the shortcut that cycles through the presets or the menus that offer them.
#pragma once

#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::string_view kPresetSectionPrefix = "Preset ";
inline constexpr std::size_t kLongestPresetName = 40;

// Whether a preset holds the key.
bool InPreset(SettingKey key);

struct Preset {
    std::string name;
    // Made valid as a start makes the file's values; a key its section lacks, or holds no
    // plain number for, is not here and keeps its value when the preset is switched to.
    std::vector<std::pair<SettingKey, double>> values;
    bool saved = false;  // in the file, or to be written there
    bool operator==(const Preset&) const = default;
};

// The name trimmed, when it can be a section's: 1 to 40 characters, none of "[]" or controls.
std::optional<std::string> PresetName(std::string_view typed);

class Presets {
public:
    // The three starting points.
    Presets();
    // The starting points, then the file's presets: one with a starting point's name takes
    // its place, the others follow in the file's order.
    void Load(std::string_view fileText, int32_t systemLanguage);
    const std::vector<Preset>& All() const { return presets_; }
    // Compared without regard to case.
    const Preset* Find(std::string_view name) const;
    // The record's preset values under the name, replacing a preset of that name; false for a
    // name PresetName refuses.
    bool Save(std::string_view name, const SettingsRecord& record);
    // The first preset whose every value the record holds.
    std::optional<std::size_t> Current(const SettingsRecord& record) const;
    // The one after the current, the first when none is current.
    std::size_t Next(const SettingsRecord& record) const;
    // One section per saved preset, every key in save order.
    std::vector<std::pair<std::string, std::vector<IniEntry>>> Sections() const;

    bool operator==(const Presets&) const = default;

private:
    Preset* Named(std::string_view name);

    std::vector<Preset> presets_;
};

// Which of the starting points the name is (0 Recording, 1 Live, 2 Teaching), compared
// without regard to case; nothing for any other name.
std::optional<std::size_t> StartingPointIndex(std::string_view name);

// The record after switching to the preset.
SettingsRecord WithPreset(const SettingsRecord& current, const Preset& preset);
