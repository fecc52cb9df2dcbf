#include "settings/SettingsFile_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <new>

#include "settings/AtomicFile_win.h"
#include "base/Folders_win.h"
#include "base/Handles_win.h"
#include "base/LateFunction_win.h"
#include "settings/IniLines.h"
#include "settings/SettingsSection.h"
#include "base/Text_win.h"
#include "lang/Language.h"

namespace {

constexpr wchar_t kSection[] = L"Settings";

std::optional<uint64_t> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The section as "key=value\0...\0\0"; nothing when the listing did not fit.
std::optional<std::wstring> ReadSectionListing(const std::wstring& path) {
    const auto size = FileSize(path);
    if (!size) {
        // No file lists nothing. Asked key by key instead, the profile API looks each one up
        // in the registry's file mappings first: about 200 look-ups at a first start.
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::wstring();
        return std::nullopt;  // let the profile API judge the file
    }
    // Every listed character comes from at least one byte of the file.
    const uint64_t capacity = *size + 64;
    if (capacity > 0x7FFFFFFF || capacity > std::wstring().max_size()) return std::nullopt;
    try {
        std::wstring buffer(static_cast<size_t>(capacity), L'\0');
        const DWORD length = ::GetPrivateProfileSectionW(kSection, buffer.data(), DWORD(capacity), path.c_str());
        // capacity - 2 means the listing was cut short (the file grew meanwhile).
        if (length >= capacity - 2) return std::nullopt;
        buffer.resize(length);
        return buffer;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool IsUtf16(std::string_view bytes) {
    return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

// A UTF-16 file's text as UTF-8; other files as they are.
std::string AsUtf8(std::string_view bytes) {
    if (!IsUtf16(bytes)) return std::string(bytes);
    const bool little = bytes[0] == '\xFF';
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        const auto low = static_cast<unsigned char>(bytes[little ? at : at + 1]);
        const auto high = static_cast<unsigned char>(bytes[little ? at + 1 : at]);
        text.push_back(static_cast<wchar_t>(high << 8 | low));
    }
    return Narrow(text);
}

// A section's edit key by key, for a UTF-16 file the merge cannot work on.
bool WriteSectionByKey(const std::string& path, std::string_view fileText, const SectionEdit& edit) {
    ProfileKeySink keys(path, edit.section);
    bool written = true;
    if (edit.dropOthers)
        for (const auto& [key, value] : SectionEntriesOf(fileText, edit.section))
            if (std::none_of(edit.entries.begin(), edit.entries.end(),
                             [&key](const IniEntry& e) { return ini::SameName(e.key, key); }))
                written = keys.Remove(key) && written;
    for (const IniEntry& e : edit.entries) written = (e.text ? keys.Write(e.key, *e.text) : keys.Remove(e.key)) && written;
    return written;
}

// The copy a start reads, with the bytes that chose it.
struct ReadCopy {
    std::wstring path;
    std::optional<std::string> bytes;
};

ReadCopy CopyToRead(const std::string& path) {
    const std::wstring file = Widen(path);
    auto fileBytes = ReadFileBytes(file);
    auto backupBytes = ReadFileBytes(BackupPathOf(file));
    if (ChooseSettingsCopy(fileBytes, backupBytes) == SettingsCopy::Backup)
        return {BackupPathOf(file), std::move(backupBytes)};
    return {file, std::move(fileBytes)};
}

}  // namespace

std::unique_ptr<IniSource> OpenSettingsSource(const std::string& path) {
    if (auto listing = ReadSectionListing(Widen(path))) return std::make_unique<SectionListingSource>(Narrow(*listing));
    return std::make_unique<ProfileKeySource>(path);
}

ProfileKeySource::ProfileKeySource(std::string path) : path_(Widen(path)) {}

std::optional<std::string> ProfileKeySource::Read(std::string_view key) {
    // The API answers an absent key with the default text; two defaults that differ tell
    // an absent key from one whose value happens to equal the first.
    const std::wstring name = Widen(key);
    wchar_t value[64];
    for (const wchar_t* absent : {L"\x01", L"\x02"}) {
        const DWORD length = ::GetPrivateProfileStringW(kSection, name.c_str(), absent, value, 64, path_.c_str());
        const std::wstring_view text(value, length);
        if (text != absent) return Narrow(text);
    }
    return std::nullopt;
}

ProfileKeySink::ProfileKeySink(std::string path, std::string_view section)
    : path_(Widen(path)), section_(Widen(section)) {}

bool ProfileKeySink::Write(std::string_view key, std::string_view text) {
    return ::WritePrivateProfileStringW(section_.c_str(), Widen(key).c_str(), Widen(text).c_str(), path_.c_str()) != FALSE;
}

bool ProfileKeySink::Remove(std::string_view key) {
    return ::WritePrivateProfileStringW(section_.c_str(), Widen(key).c_str(), nullptr, path_.c_str()) != FALSE;
}

std::string SpecialFolderPath(int csidl, std::string_view relative) {
    return JoinSpecialFolderPath(Narrow(SpecialFolder(csidl)), relative);
}

SettingsFilePaths DefaultSettingsFilePaths() {
    return MakeSettingsFilePaths(Narrow(ProgramFolder()), Narrow(SpecialFolder(CSIDL_APPDATA)));
}

bool FileExists(const std::string& path) { return FileExists(Widen(path)); }

bool EnsureFolder(const std::string& path) {
    const std::wstring wide = Widen(path);
    const size_t last = wide.find_last_of(L"\\/");
    if (last == std::wstring::npos) return true;  // a bare name lives in the current folder
    const std::wstring folder = wide.substr(0, last);
    // Each level in turn; a drive or share prefix simply fails to be created.
    for (size_t at = folder.find_first_of(L"\\/", 1); ; at = folder.find_first_of(L"\\/", at + 1)) {
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
        if (at == std::wstring::npos) break;
    }
    const DWORD attributes = ::GetFileAttributesW(folder.empty() ? L"\\" : folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ResetSettingsFile(const std::string& path) {
    if (!FileExists(path)) return true;
    const handles::File file(::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

Win32SettingsFileSystem::Win32SettingsFileSystem(DriveTypeProbe driveType) : driveType_(std::move(driveType)) {
    if (!driveType_) driveType_ = [](const std::wstring& root) { return ::GetDriveTypeW(root.c_str()); };
}

bool Win32SettingsFileSystem::IsOnRemovableDrive(const std::string& folder) {
    std::wstring root = Widen(folder) + L"\\";
    root.resize(std::max<size_t>(root.size(), MAX_PATH));  // PathStripToRootW writes in place
    static const LateFunction<decltype(::PathStripToRootW)> stripToRoot(L"shlwapi.dll", "PathStripToRootW");
    stripToRoot.Call(FALSE, root.data());
    root.resize(wcslen(root.c_str()));
    return driveType_(root) == DRIVE_REMOVABLE;
}

bool Win32SettingsFileSystem::FileExists(const std::string& path) { return ::FileExists(path); }

bool Win32SettingsFileSystem::EnsureFolder(const std::string& path) { return ::EnsureFolder(path); }

std::unique_ptr<IniSource> Win32SettingsFileSystem::OpenSource(const std::string& path) {
    return OpenSettingsSource(SettingsCopyToRead(path));
}

std::unique_ptr<IniSink> Win32SettingsFileSystem::OpenSink(const std::string& path) {
    return std::make_unique<ProfileKeySink>(path);
}

std::string ChooseSettingsFile(SettingsRecord& record, int32_t systemLanguage) {
    Win32SettingsFileSystem files;
    return ChooseSettingsFile(DefaultSettingsFilePaths(), files, record, systemLanguage);
}

void LoadSettingsFile(SettingsRecord& record, const std::string& path, int32_t systemLanguage) {
    LoadSettings(record, *OpenSettingsSource(path), systemLanguage);
}

std::string SettingsCopyToRead(const std::string& path) { return Narrow(CopyToRead(path).path); }

void LoadSettingsAtStart(SettingsRecord& record, const std::string& path, int32_t systemLanguage) {
    LoadSettingsFile(record, SettingsCopyToRead(path), systemLanguage);
}

std::string SettingsFileText(const std::string& path) {
    return AsUtf8(CopyToRead(path).bytes.value_or(std::string()));
}

bool SaveSettingsFile(const SettingsRecord& record, const std::string& path, const std::vector<SectionEdit>& sections) {
    EnsureFolder(path);
    IniEntrySink entries;
    SaveSettings(record, entries);
    const std::wstring target = Widen(path);
    std::optional<std::string> fileBytes;
    {
        // Shared for reading only: a file someone else holds open for writing, or a protected
        // one, refuses here, before anything is written; a file not there yet is written new.
        const handles::File file(::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            fileBytes = ReadWholeFile(file.get());
            if (!fileBytes) return false;
        } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
            return false;
        }
    }
    // The save goes into the copy a start would read, so that a damaged file does not
    // carry its damage on and the backup's other lines are kept.
    const auto backupBytes = ReadFileBytes(BackupPathOf(target));
    const bool fromBackup = ChooseSettingsCopy(fileBytes, backupBytes) == SettingsCopy::Backup;
    const std::string_view base = fromBackup ? std::string_view(*backupBytes)
                                  : fileBytes ? std::string_view(*fileBytes)
                                              : std::string_view();
    if (IsUtf16(base)) {
        // The merge works on bytes of one character each; the profile API knows UTF-16.
        return ReplaceFileWith(target, base, [&](const std::wstring& temp) {
            ProfileKeySink keys(Narrow(temp));
            bool written = SaveSettings(record, keys);
            const std::string text = AsUtf8(base);
            for (const SectionEdit& edit : sections) written = WriteSectionByKey(Narrow(temp), text, edit) && written;
            return written;
        });
    }
    try {
        std::string merged = MergeSettingsSection(base, entries.Entries());
        for (const SectionEdit& edit : sections) merged = MergeSection(merged, edit.section, edit.entries, edit.dropOthers);
        return ReplaceFileWith(target, merged);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::string FileAccessDeniedText(const clsLanguage& language, const std::string& path) {
    return language.GetString(27) + "\r\n" + language.GetString(28) + "\r\n" + path + "\r\n" + language.GetString(29);
}

void ShowFileAccessDenied(HWND owner, const clsLanguage& language, const std::string& path) {
    ::MessageBoxW(owner, Widen(FileAccessDeniedText(language, path)).c_str(), Widen(language.GetString(30)).c_str(),
                  MB_ICONEXCLAMATION);
}

bool ResetToDefaults(HWND owner, const clsLanguage& language, const std::string& path,
                     const std::function<void()>& apply, const std::function<void()>& save) {
    const int answer = ::MessageBoxW(owner, Widen(language.GetString(31)).c_str(),
                                     Widen(language.GetString(32)).c_str(), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return false;
    if (!ResetSettingsFile(path)) {
        ShowFileAccessDenied(owner, language, path);
        return false;
    }
    apply();
    save();
    return true;
}
