// The program's named sets of settings and its list of private programs: kept in sections of
// the settings file beside the record, and saved when they change.
#include "app/Program_win.h"

void Program::SetPrivatePrograms(const PrivatePrograms& programs) {
    store_.Private() = programs;
    // A privacy list is not left to the exit: kept now, as a crash would lose it.
    SaveSettings();
}

void Program::SwitchToPreset(std::size_t index) {
    const std::vector<Preset>& presets = store_.PresetList().All();
    if (index >= presets.size()) return;
    const SettingsRecord before = Settings();
    store_.Record() = WithPreset(before, presets[index]);
    // Every value first, then each change applied as its control would apply it: an overlay
    // that stays on is drawn once with its new look, never with half of it.
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        if (Settings().Get(key) != before.Get(key)) ApplySetting(key, Settings().Get(key));
    }
    ShowSettings();
}

bool Program::SaveAsPreset(const std::string& name) {
    if (!store_.PresetList().Save(name, Settings())) return false;
    SaveSettings();
    return true;
}
