#include "app/SettingsStore_win.h"

#include "app/CrashReport_win.h"
#include "lang/SharedLanguage_win.h"
#include "settings/SettingsFile_win.h"

void SettingsStore::Choose(int32_t systemLanguage) {
    systemLanguage_ = systemLanguage;
    const std::wstring_view arguments =
        commandLineOverride_ ? std::wstring_view(*commandLineOverride_) : ArgumentsOf(::GetCommandLineW());
    commandLine_ = ParseCommandLine(arguments);
    offsets_ = {commandLine_.pictureOffsetFactor.value_or(1.0), commandLine_.keyboardOffsetFactor.value_or(1.0)};
    // Loading sets every key, to its default where the file has none, and makes each value
    // one its control can hold.
    if (pathOverride_.empty()) {
        path_ = ::ChooseSettingsFile(record_, systemLanguage);
    } else {
        path_ = pathOverride_;
        LoadSettingsAtStart(record_, path_, systemLanguage);
    }
    ReadSections();
    SetCrashReportFolder(path_);
}

void SettingsStore::Reload(int32_t systemLanguage) {
    // The other sections stay as held: a reset empties the file, and the save after it
    // writes them back.
    LoadSettingsFile(record_, path_, systemLanguage);
}

void SettingsStore::ReadSections() {
    const std::string text = SettingsFileText(path_);
    privatePrograms_.Load(SectionEntriesOf(text, kPrivateProgramsSection));
    presets_.Load(text, systemLanguage_);
}

void SettingsStore::Save() const {
    std::vector<SectionEdit> sections{{std::string(kPrivateProgramsSection), privatePrograms_.Entries()}};
    for (auto& [name, entries] : presets_.Sections()) sections.push_back({std::move(name), std::move(entries)});
    SaveSettingsFile(record_, path_, sections);
}

void SettingsStore::ResetToDefaults(HWND owner, const std::function<void()>& reload,
                                    const std::function<void()>& save) const {
    ::ResetToDefaults(owner, SharedLanguage(), path_, reload, save);
}

SettingsWindowState SettingsStore::StartupWindowState() const {
    if (commandLine_.pause) return {1, record_.IsOn(SettingKey::Taskbar)};
    return {record_.GetInt(SettingKey::WindowState), record_.IsOn(SettingKey::WindowVisible)};
}
