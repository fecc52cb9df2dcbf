#include "app/SettingsStore_win.h"

#include "app/CrashReport_win.h"
#include "lang/SharedLanguage_win.h"
#include "settings/SettingsFile_win.h"

void SettingsStore::Choose(int32_t systemLanguage) {
    offsets_ = {};
    haloHolePercent_ = kHaloHolePercentDefault;
    // Loading sets every key, to its default where the file has none, and makes each value
    // one its control can hold.
    if (pathOverride_.empty()) {
        path_ = ::ChooseSettingsFile(record_, systemLanguage);
    } else {
        path_ = pathOverride_;
        LoadSettingsAtStart(record_, path_, systemLanguage);
    }
    SetCrashReportFolder(path_);
    ReadCommandLine();
}

void SettingsStore::Reload(int32_t systemLanguage) {
    LoadSettingsFile(record_, path_, systemLanguage);
    ReadCommandLine();
}

void SettingsStore::Save() const { SaveSettingsFile(record_, path_); }

void SettingsStore::ResetToDefaults(HWND owner, const std::function<void()>& reload,
                                    const std::function<void()>& save) const {
    ::ResetToDefaults(owner, SharedLanguage(), path_, reload, save);
}

// What the command line does not say stays as the first read left it: a switch given at
// start holds for the whole run, the reset included.
void SettingsStore::ReadCommandLine() {
    const std::wstring_view arguments =
        commandLineOverride_ ? std::wstring_view(*commandLineOverride_) : ArgumentsOf(::GetCommandLineW());
    commandLine_ = ParseCommandLine(arguments);
    if (commandLine_.pictureOffsetFactor) offsets_.PictureOffsetFactor = *commandLine_.pictureOffsetFactor;
    if (commandLine_.keyboardOffsetFactor) offsets_.KeyboardOffsetFactor = *commandLine_.keyboardOffsetFactor;
    if (commandLine_.haloHolePercent) haloHolePercent_ = *commandLine_.haloHolePercent;
}

SettingsWindowState SettingsStore::StartupWindowState() const {
    if (commandLine_.pause) return {1, record_.IsOn(SettingKey::Taskbar)};
    return {record_.GetInt(SettingKey::WindowState), record_.IsOn(SettingKey::WindowVisible)};
}
