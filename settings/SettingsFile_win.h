// The settings file on disk: reading and writing it through the profile API, choosing
// where it lives, and emptying it when the user resets every setting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "settings/SettingsLocation.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"

class clsLanguage;

// Reads the section "Settings" of path in one listing, so that a huge damaged file is
// searched once rather than once per key.
std::unique_ptr<IniSource> OpenSettingsSource(const std::string& path);

// Asks the profile API for one key at a time; what OpenSettingsSource falls back on when
// a listing of the section cannot be had.
class ProfileKeySource final : public IniSource {
public:
    explicit ProfileKeySource(std::string path);
    std::optional<std::string> Read(std::string_view key) override;

private:
    std::wstring path_;
};

// Writes or removes one key of a section ("Settings" unless named) at a time.
class ProfileKeySink final : public IniSink {
public:
    explicit ProfileKeySink(std::string path, std::string_view section = kSettingsSection);
    bool Write(std::string_view key, std::string_view text) override;
    bool Remove(std::string_view key) override;

private:
    std::wstring path_;
    std::wstring section_;
};

// A section written beside "Settings" in the same save; dropOthers as for MergeSection.
struct SectionEdit {
    std::string section;
    std::vector<IniEntry> entries;
    bool dropOthers = true;
};

// A system folder (a CSIDL number) joined with a relative path; the folder is empty when
// the system cannot name it.
std::string SpecialFolderPath(int csidl, std::string_view relative);
SettingsFilePaths DefaultSettingsFilePaths();

bool FileExists(const std::string& path);
// Creates every folder of path but its last component; true when they all exist.
bool EnsureFolder(const std::string& path);
// Empties the file if it exists; false when it exists and cannot be emptied.
bool ResetSettingsFile(const std::string& path);

// The real file system. The drive-type probe is a seam: tests stand in a removable drive.
class Win32SettingsFileSystem final : public SettingsFileSystem {
public:
    using DriveTypeProbe = std::function<UINT(const std::wstring& root)>;
    explicit Win32SettingsFileSystem(DriveTypeProbe driveType = nullptr);

    bool IsOnRemovableDrive(const std::string& folder) override;
    bool FileExists(const std::string& path) override;
    bool EnsureFolder(const std::string& path) override;
    // The copy a start reads: the backup in place of a file that does not read.
    std::unique_ptr<IniSource> OpenSource(const std::string& path) override;
    std::unique_ptr<IniSink> OpenSink(const std::string& path) override;

private:
    DriveTypeProbe driveType_;
};

// Chooses this installation's settings file, loads it into the record and returns its path.
std::string ChooseSettingsFile(SettingsRecord& record, int32_t systemLanguage);

void LoadSettingsFile(SettingsRecord& record, const std::string& path, int32_t systemLanguage);
// The file at path, or the backup its last save left when the file does not read as a whole
// (zeroed by a power cut, say) and the backup does: what a start loads.
std::string SettingsCopyToRead(const std::string& path);
void LoadSettingsAtStart(SettingsRecord& record, const std::string& path, int32_t systemLanguage);
// Writes every key into the file in one go (the profile API rewrites the file for each
// key); every other line of the file stays as it was. The new file is written beside the
// old and put in its place at once; the old one stays as the backup. A write-protected or
// locked file refuses quietly and stays as it was; false then. A UTF-16 file is written key
// by key into the new file.
bool SaveSettingsFile(const SettingsRecord& record, const std::string& path, const std::vector<SectionEdit>& sections = {});
// The copy a start reads as UTF-8 text, for the sections beyond "Settings"; empty when it
// cannot be read.
std::string SettingsFileText(const std::string& path);

// The "File access denied" message about path, and its box.
std::string FileAccessDeniedText(const clsLanguage& language, const std::string& path);
void ShowFileAccessDenied(HWND owner, const clsLanguage& language, const std::string& path);

// Asks whether to reset every setting. On yes, empties the file at path, then runs apply
// (which reloads: every key is absent now) and save; if the file cannot be emptied, shows
// the "File access denied" box instead and changes nothing. True when the reset was done.
bool ResetToDefaults(HWND owner, const clsLanguage& language, const std::string& path,
                     const std::function<void()>& apply, const std::function<void()>& save);
