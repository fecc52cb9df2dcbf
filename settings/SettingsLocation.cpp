#include "settings/SettingsLocation.h"

std::string TrimBackslashes(std::string_view text) {
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    if (!text.empty() && text.front() == '\\') text.remove_prefix(1);
    return std::string(text);
}

std::string JoinSpecialFolderPath(std::string_view folder, std::string_view relative) {
    return std::string(folder) + "\\" + TrimBackslashes(relative);
}

SettingsFilePaths MakeSettingsFilePaths(std::string_view programFolder, std::string_view appDataFolder) {
    return SettingsFilePaths{
        std::string(programFolder),
        std::string(programFolder) + "\\" + std::string(kSettingsFileName),
        JoinSpecialFolderPath(appDataFolder, kUserSettingsRelativePath),
    };
}

std::string ChooseSettingsFile(const SettingsFilePaths& paths, SettingsFileSystem& files, SettingsRecord& record,
                               int32_t systemLanguage) {
    auto load = [&](const std::string& path) {
        std::unique_ptr<IniSource> source = files.OpenSource(path);
        LoadSettings(record, *source, systemLanguage);
    };
    if (files.IsOnRemovableDrive(paths.programFolder)) {
        load(paths.programFile);
        return paths.programFile;
    }
    if (files.FileExists(paths.userFile) || !files.FileExists(paths.programFile)) {
        // Without any file, loading the absent user file gives every default.
        load(paths.userFile);
        return paths.userFile;
    }
    // Take over the file of an older installation: writing one key creates the user file,
    // and when that worked every later save goes there.
    load(paths.programFile);
    files.EnsureFolder(paths.userFile);
    files.OpenSink(paths.userFile)->Write("Buttons", SettingText(record, SettingKey::Buttons));
    return files.FileExists(paths.userFile) ? paths.userFile : paths.programFile;
}
