// The settings file as the system reads and writes it: damaged files read as the profile API
// reads them, a locked file left as it was, and saves that lose nothing when stopped after any
// step, short of disk space or refused a replacement.
#include "lang/Language.h"
#include "settings/AtomicFile_win.h"
#include "settings/SettingsFile_win.h"

#include "tests/win/ProgramTest.h"

#include <climits>

namespace fs = std::filesystem;

namespace {

// The profile API's own integer reading, key by key: the reference the readers must match.
struct IntApiSource final : IniSource {
    explicit IntApiSource(const std::string& file) : path(Widen(file)) {}
    std::optional<std::string> Read(std::string_view key) override {
        const auto read = [&](int fallback) { return int(::GetPrivateProfileIntW(L"Settings", Widen(key).c_str(), fallback, path.c_str())); };
        const int first = read(INT_MIN + 1);
        return first == INT_MIN + 1 && read(INT_MIN + 2) == INT_MIN + 2 ? std::nullopt : std::optional(std::to_string(first));
    }
    std::wstring path;
};

// A record off the defaults, as a user's might be.
SettingsRecord UsersRecord() {
    SettingsRecord record;
    for (const auto& [key, value] : {std::pair{SettingKey::HaloSize, 20.0}, {SettingKey::Crosshair, 1.0},
                                     {SettingKey::ButtonsFading, 2.5}, {SettingKey::Language, 2.0}})
        record.Set(key, value);
    return record;
}

std::string Utf16(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) bytes += {c, '\0'};
    return bytes;
}

SettingsRecord LoadedAtStart(const std::string& path) {
    SettingsRecord record;
    LoadSettingsAtStart(record, path, 0);
    return record;
}

// The step of a save that fails or dies.
std::string g_faultStep;
ReplaceFault g_fault = ReplaceFault::None;
struct StepFault {
    StepFault(std::string step, ReplaceFault fault) {
        g_faultStep = std::move(step);
        g_fault = fault;
        SetReplaceStepHook([](const char* done) { return done == g_faultStep ? g_fault : ReplaceFault::None; });
    }
    ~StepFault() { SetReplaceStepHook(nullptr); }
};

}  // namespace

// The fast reader, the key-by-key reader and the API's own integer reading agree on damaged
// files, and the result saves and reloads like any other record.
TEST(SettingsFile, DamagedFilesReadLikeTheProfileApiAndSaveNormally) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    const std::vector<std::string> files = {
        "",
        "no section at all\r\nHaloSize=5\r\n",
        "[Settings]\r\nHaloSize=abc\r\nButtonsSize=9999999999\r\nHaloTrans=-0\r\nCrosshairGap=+5\r\nButtons=\r\n"
        "ButtonsFading=12.7\r\nhalocolor = 0x1F \r\nTaskbar=0\r\nWindowVisible='0'\r\nLanguage=\"4\"\r\n",
        "[settings]\r\nHaloSize=1\r\nHALOSIZE=2\r\nButtons\r\nButtons=0\r\n[Settings]\r\nHaloTrans=3\r\n",
        std::string("\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\r\0\n\0H\0a\0l\0o\0S\0i\0z\0e\0=\0" "4\0" "2\0", 46),
        "\xEF\xBB\xBF[Settings]\r\nHaloSize=43\r\nHotKeyPauseKeyCode=-\xC3\xA9\r\n",
        std::string("[Settings]\nHaloSize=\0 7\rButtons=0\n\x80\x81\xFE=3\nHaloRing=1", 50),
        // Headings, blanks and line ends as the profile API reads them.
        "  [ SETTINGS ] ; x\rHaloSize=55\r[Settings\rx[Other]\rHaloTrans=6\r",
        "[Settings]\rHaloSize=56\nButtons=0\r\n\x1A\r\n\x0B halotrans\x0C=7\x1A\r\n[X]\r\nHaloRing=1",
        "[Settings]\r\nHaloSize\r\nHaloSize=58\r\nHalo=5\r\nCrosshair=-3\r\nHaloColor=-2147483643\r\n",
    };
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        WriteBytes(path, files[i]);
        SettingsRecord fast, perKey, reference, again;
        ProfileKeySource keys(path);
        IntApiSource api(path);
        LoadSettingsFile(fast, path, 1), LoadSettings(perKey, keys, 1), LoadSettings(reference, api, 1);
        EXPECT_EQ(fast, reference);
        EXPECT_EQ(perKey, reference);
        ASSERT_TRUE(SaveSettingsFile(fast, path));
        LoadSettingsFile(again, path, 1);
        EXPECT_EQ(again, fast);
    }
    // No file, or not even its folder: every default, as the API gives.
    for (const std::string& absent : {folder.Path("None.ini"), folder.Path("No folder\\None.ini")}) {
        SCOPED_TRACE(absent);
        SettingsRecord fast, reference;
        IntApiSource api(absent);
        LoadSettingsFile(fast, absent, 3), LoadSettings(reference, api, 3);
        EXPECT_EQ(fast, reference);
    }
}

TEST(SettingsFile, ALockedFileIsLeftAsItWasAndAResetEmptiesTheFileBeforeApplying) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    ASSERT_TRUE(SaveSettingsFile(UsersRecord(), path));
    const std::string bytes = ReadBytes(path);
    const clsLanguage language("English", {});
    int applied = 0, saved = 0;
    uintmax_t sizeWhenApplied = 99;
    const auto apply = [&] { ++applied, sizeWhenApplied = fs::file_size(Widen(path)); };
    const auto save = [&] { ++saved; };
    {  // Held open without sharing by another program: Yes shows "File access denied".
        handles::File lock(::CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(SaveSettingsFile(SettingsRecord(), path));
        EXPECT_FALSE(fs::exists(TempPathOf(Widen(path))));
        BoxAnswerer yes(language.GetString(32), IDYES), denied("Glimmora Error", IDOK);
        EXPECT_FALSE(ResetToDefaults(nullptr, language, path, apply, save));
        denied.Wait();
        EXPECT_TRUE(denied.Showed("File access denied. Cannot save settings.\r\nPlease make sure that the file\r\n" + path +
                                  "\r\nis not write protected or opened by another program."));
    }
    EXPECT_EQ(std::make_tuple(applied, saved, ReadBytes(path)), std::make_tuple(0, 0, bytes));
    {  // Yes: the file is emptied before the settings are applied and saved.
        BoxAnswerer yes(language.GetString(32), IDYES);
        EXPECT_TRUE(ResetToDefaults(nullptr, language, path, apply, save));
    }
    EXPECT_EQ(std::make_tuple(applied, saved, sizeWhenApplied), std::make_tuple(1, 1, uintmax_t{0}));
}

// A save stopped after each of its steps, as if the process had died there, leaves the old file
// whole up to the step that puts the new one in place, and the new one from then on. A whole
// save keeps the old as backup; what a dead save left does not stand in the way of the next.
TEST(SettingsFile, ASaveStoppedAfterAnyStepLeavesTheOldFileOrTheNewOne) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    const std::wstring temp = TempPathOf(Widen(path)), backup = BackupPathOf(Widen(path));
    const SettingsRecord older = UsersRecord();
    SettingsRecord newer = older;
    newer.Set(SettingKey::HaloSize, 77);
    const std::string text = "; mine\n[Settings]\nJunk=1\n[Other]\nB=2";
    for (const std::string& file : {text, Utf16(text)}) {
        const bool utf16 = file != text;
        SCOPED_TRACE(utf16 ? "UTF-16" : "ANSI");
        WriteBytes(path, file);
        ASSERT_TRUE(SaveSettingsFile(older, path));
        const std::string oldBytes = ReadBytes(path);
        ASSERT_TRUE(SaveSettingsFile(newer, path));
        const std::string newBytes = ReadBytes(path);
        EXPECT_EQ(ReadBytes(backup), oldBytes);
        EXPECT_FALSE(fs::exists(temp));
        std::vector<std::string> steps = {"temp written", "temp flushed", "replaced"};
        if (utf16) steps.insert(steps.begin() + 1, "temp edited");
        for (size_t stop = 0; stop < steps.size(); ++stop) {
            SCOPED_TRACE(steps[stop]);
            WriteBytes(path, oldBytes);
            {
                StepFault fault(steps[stop], ReplaceFault::Die);
                SaveSettingsFile(newer, path);
            }
            const bool replaced = steps[stop] == "replaced";
            EXPECT_TRUE(ReadBytes(path) == (replaced ? newBytes : oldBytes));
            EXPECT_EQ(LoadedAtStart(path), replaced ? newer : older);
        }
        ASSERT_TRUE(SaveSettingsFile(newer, path));
        EXPECT_EQ(ReadBytes(path), newBytes);
        EXPECT_FALSE(fs::exists(temp));
        // A full disk fails the save quietly and changes nothing.
        const std::string backupBytes = ReadBytes(backup);
        for (const char* step : {"temp written", "temp flushed"}) {
            StepFault fault(step, ReplaceFault::DiskFull);
            EXPECT_FALSE(SaveSettingsFile(older, path));
            EXPECT_EQ(::GetLastError(), DWORD(ERROR_DISK_FULL));
            EXPECT_EQ(ReadBytes(path), newBytes);
            EXPECT_EQ(ReadBytes(backup), backupBytes);
            EXPECT_FALSE(fs::exists(temp));
        }
    }
}

// Where the file system will not replace, the new file is moved over the old one; where the old
// file went to the backup's name before the refusal, the new one still takes its place, or,
// when that fails too, the old one comes back.
TEST(SettingsFile, WhereReplacingIsRefusedTheNewFileIsMovedInPlace) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    const std::wstring backup = BackupPathOf(Widen(path));
    struct Refusal {
        static BOOL WINAPI Cannot(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
            ::SetLastError(ERROR_INVALID_FUNCTION);
            return FALSE;
        }
        static BOOL WINAPI HalfWay(LPCWSTR replaced, LPCWSTR, LPCWSTR backupName, DWORD, LPVOID, LPVOID) {
            ::MoveFileExW(replaced, backupName, MOVEFILE_REPLACE_EXISTING);
            ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
            return FALSE;
        }
        static BOOL WINAPI LostTheNewFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backupName, DWORD, LPVOID, LPVOID) {
            ::DeleteFileW(replacement);
            return HalfWay(replaced, replacement, backupName, 0, nullptr, nullptr);
        }
    };
    const std::pair<ReplaceCall, bool> rows[] = {{&Refusal::Cannot, true}, {&Refusal::HalfWay, true}, {&Refusal::LostTheNewFile, false}};
    SettingsRecord older = UsersRecord(), newer = older;
    newer.Set(SettingKey::HaloSize, 77);
    for (const auto& [refusal, saves] : rows) {
        SCOPED_TRACE(saves ? "saved" : "lost");
        ASSERT_TRUE(SaveSettingsFile(older, path));
        const std::string oldBytes = ReadBytes(path);
        WriteBytes(backup, "an older backup");
        SetReplaceCall(refusal);
        EXPECT_EQ(SaveSettingsFile(newer, path), saves);
        SetReplaceCall(nullptr);
        EXPECT_EQ(LoadedAtStart(path), saves ? newer : older);
        EXPECT_EQ(ReadBytes(saves ? backup : Widen(path)), oldBytes);
        EXPECT_FALSE(fs::exists(TempPathOf(Widen(path))));
    }
}
