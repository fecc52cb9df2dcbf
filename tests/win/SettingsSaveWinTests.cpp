// Saving without losing anything: a save stopped after any step, a file system that will not
// replace, a file zeroed or gone, places where nothing can be written.
#include "tests/win/SettingsFiles.h"
#include "tests/win/TempFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/AtomicFile_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsRecord.h"
#include "base/Text_win.h"

namespace fs = std::filesystem;

// A save stopped after each of its steps in turn, as if the process had died there, leaves
// the old file whole up to the step that puts the new one in place, and the new one whole
// from then on; a start reads the one or the other. A whole save keeps the old as backup.
TEST(SettingsSaveWin, ASaveStoppedAfterAnyStepLeavesTheOldFileOrTheNewOne) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    const std::wstring temp = TempPathOf(Widen(path)), backup = BackupPathOf(Widen(path));
    const SettingsRecord older = UsersRecord();
    SettingsRecord newer = older;
    newer.Set(SettingKey::HaloSize, older.Get(SettingKey::HaloSize) == 77 ? 78 : 77);
    const std::string text = "; mine\n[Settings]\nJunk=1\n[Other]\nB=2";
    for (const std::string& file : {text, Utf16(text)}) {
        const bool utf16 = file != text;
        SCOPED_TRACE(utf16 ? "UTF-16" : "ANSI");
        WriteBytes(path, file);
        ASSERT_TRUE(SaveSettingsFile(older, path));
        const std::string oldBytes = ReadBytes(path);
        ASSERT_TRUE(SaveSettingsFile(newer, path));
        const std::string newBytes = ReadBytes(path);
        ASSERT_NE(oldBytes, newBytes);
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
                EXPECT_EQ(g_steps, std::vector<std::string>(steps.begin(), steps.begin() + stop + 1));
            }
            const bool replaced = steps[stop] == "replaced";
            EXPECT_TRUE(ReadBytes(path) == (replaced ? newBytes : oldBytes));
            EXPECT_EQ(LoadedAtStart(path), replaced ? newer : older);
        }
        // What a dead save left behind does not stand in the way of the next.
        WriteBytes(path, oldBytes);
        {
            StepFault fault("temp written", ReplaceFault::Die);
            SaveSettingsFile(newer, path);
        }
        ASSERT_TRUE(fs::exists(temp));
        ASSERT_TRUE(SaveSettingsFile(newer, path));
        EXPECT_EQ(ReadBytes(path), newBytes);
        EXPECT_FALSE(fs::exists(temp));
    }
}

// Where the file system will not replace, the new file is moved over the old one and the
// backup is a copy; where the old file went to the backup's name before the refusal, the
// new one still takes its place, or, when that fails too, the old one comes back.
TEST(SettingsSaveWin, WhereReplacingIsRefusedTheNewFileIsMovedInPlace) {
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
        static BOOL WINAPI LostTheNewFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backupName, DWORD, LPVOID,
                                          LPVOID) {
            ::MoveFileExW(replaced, backupName, MOVEFILE_REPLACE_EXISTING);
            ::DeleteFileW(replacement);
            ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
            return FALSE;
        }
    };
    struct Row {
        const char* name;
        ReplaceCall refusal;
        bool saved;
    };
    const Row rows[] = {{"cannot replace", &Refusal::Cannot, true},
                        {"refused half way", &Refusal::HalfWay, true},
                        {"lost the new file", &Refusal::LostTheNewFile, false}};
    SettingsRecord older = UsersRecord(), newer = older;
    newer.Set(SettingKey::HaloSize, older.Get(SettingKey::HaloSize) == 77 ? 78 : 77);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(SaveSettingsFile(older, path));
        const std::string oldBytes = ReadBytes(path);
        WriteBytes(backup, "an older backup");
        SetReplaceCall(row.refusal);
        const bool saved = SaveSettingsFile(newer, path);
        SetReplaceCall(nullptr);
        EXPECT_EQ(saved, row.saved);
        EXPECT_EQ(LoadedAtStart(path), row.saved ? newer : older);
        if (row.saved) {
            EXPECT_EQ(ReadBytes(backup), oldBytes);
        } else {
            EXPECT_EQ(ReadBytes(path), oldBytes);
        }
        EXPECT_FALSE(fs::exists(TempPathOf(Widen(path))));
    }
}

// A file zeroed by a power cut, or emptied, or gone: a start reads the backup the last save
// left, and the next save writes the settings over the backup's text, not over the zeros.
TEST(SettingsSaveWin, AFileThatDoesNotReadIsReadFromItsBackup) {
    ScratchFolder folder;
    const SettingsFilePaths paths = MakeSettingsFilePaths(folder.Path("program"), folder.Path("appdata"));
    Win32SettingsFileSystem disk([](const std::wstring&) { return UINT(DRIVE_FIXED); });
    const SettingsRecord users = UsersRecord();
    ASSERT_TRUE(SaveSettingsFile(users, paths.userFile));
    ASSERT_TRUE(SaveSettingsFile(users, paths.userFile));
    const std::string bytes = ReadBytes(paths.userFile);
    const std::wstring backup = BackupPathOf(Widen(paths.userFile));
    ASSERT_EQ(ReadBytes(backup), bytes);

    for (const std::string& damage : {std::string(bytes.size(), '\0'), std::string(), std::string("junk")}) {
        SCOPED_TRACE(damage.size());
        WriteBytes(paths.userFile, damage);
        SettingsRecord record;
        EXPECT_EQ(ChooseSettingsFile(paths, disk, record, 0), paths.userFile);
        EXPECT_EQ(record, users);
        ASSERT_TRUE(SaveSettingsFile(record, paths.userFile));
        EXPECT_EQ(ReadBytes(paths.userFile), bytes);
        EXPECT_EQ(ReadBytes(backup), damage);
        WriteBytes(backup, bytes);
    }
    // A file that reads is read, whatever the backup holds.
    SettingsRecord defaults;
    ASSERT_TRUE(SaveSettingsFile(defaults, paths.userFile));
    EXPECT_EQ(LoadedAtStart(paths.userFile), defaults);
    // Gone between two steps of a replacement.
    WriteBytes(backup, bytes);
    fs::remove(Widen(paths.userFile));
    EXPECT_EQ(LoadedAtStart(paths.userFile), users);
}

// A folder that cannot be made, a settings path that is a folder, a full disk: defaults
// where nothing can be read, saves that fail quietly, nothing left behind, nothing changed.
TEST(SettingsSaveWin, HostilePlacesGiveDefaultsAndLeaveEverythingAsItWas) {
    ScratchFolder folder;
    WriteBytes(folder.Path("blocker"), "a file, not a folder");
    const std::string blocked = folder.Path("blocker\\Glimmora.ini");
    EXPECT_EQ(LoadedAtStart(blocked), SettingsRecord());
    EXPECT_FALSE(SaveSettingsFile(UsersRecord(), blocked));
    EXPECT_EQ(ReadBytes(folder.Path("blocker")), "a file, not a folder");
    EXPECT_TRUE(ResetSettingsFile(blocked));

    const std::string isFolder = folder.Path("folder\\Glimmora.ini");
    fs::create_directories(Widen(isFolder));
    WriteBytes(isFolder + "\\inside", "kept");
    EXPECT_EQ(LoadedAtStart(isFolder), SettingsRecord());
    EXPECT_FALSE(SaveSettingsFile(UsersRecord(), isFolder));
    EXPECT_TRUE(fs::is_directory(Widen(isFolder)));
    EXPECT_EQ(ReadBytes(isFolder + "\\inside"), "kept");

    const std::string path = folder.Path("Glimmora.ini");
    ASSERT_TRUE(SaveSettingsFile(UsersRecord(), path));
    ASSERT_TRUE(SaveSettingsFile(UsersRecord(), path));
    const std::string bytes = ReadBytes(path);
    WriteBytes(BackupPathOf(Widen(path)), "the backup");
    for (const char* step : {"temp written", "temp flushed"}) {
        SCOPED_TRACE(step);
        StepFault fault(step, ReplaceFault::DiskFull);
        EXPECT_FALSE(SaveSettingsFile(SettingsRecord(), path));
        const DWORD error = ::GetLastError();
        EXPECT_EQ(error, DWORD(ERROR_DISK_FULL));
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(ReadBytes(BackupPathOf(Widen(path))), "the backup");
        EXPECT_FALSE(fs::exists(TempPathOf(Widen(path))));
    }
    EXPECT_EQ(LoadedAtStart(path), UsersRecord());
    std::vector<std::wstring> left;
    for (const auto& entry : fs::directory_iterator(folder.Wide(L"."))) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{L"Glimmora.ini", L"Glimmora.ini.bak", L"blocker", L"folder"}));
}
