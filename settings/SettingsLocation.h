// Where the settings file lives: beside the program on a removable drive (a stick carries
// its settings along), otherwise in the user's application-data folder, taking over a
// file that an older installation left beside the program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "settings/SettingsRecord.h"

// Removes one trailing, then one leading backslash.
std::string TrimBackslashes(std::string_view text);

// folder + "\" + relative, the relative path without its outer backslashes. An empty
// folder (the system could not name it) leaves a path below the current drive's root.
std::string JoinSpecialFolderPath(std::string_view folder, std::string_view relative);

struct SettingsFilePaths {
    std::string programFolder;  // without a trailing backslash
    std::string programFile;    // beside the program
    std::string userFile;       // in the user's application-data folder
};
SettingsFilePaths MakeSettingsFilePaths(std::string_view programFolder, std::string_view appDataFolder);

// The file system as the choice of the settings file sees it.
struct SettingsFileSystem {
    virtual ~SettingsFileSystem() = default;
    virtual bool IsOnRemovableDrive(const std::string& folder) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Creates every folder of the path but its last component.
    virtual bool EnsureFolder(const std::string& path) = 0;
    virtual std::unique_ptr<IniSource> OpenSource(const std::string& path) = 0;
    virtual std::unique_ptr<IniSink> OpenSink(const std::string& path) = 0;
};

// Picks the settings file, loads it into the record and returns its path, which every
// later save uses.
std::string ChooseSettingsFile(const SettingsFilePaths& paths, SettingsFileSystem& files, SettingsRecord& record,
                               int32_t systemLanguage);
