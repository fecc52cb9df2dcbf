#include "tests/win/BoxAnswerer.h"
#include "tests/win/SettingsFiles.h"
#include "tests/win/TempFiles.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/AtomicFile_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsSection.h"
#include "settings/SettingsRecord.h"
#include "base/Text_win.h"
#include "lang/Language.h"

namespace fs = std::filesystem;

TEST(SettingsFileWin, SavesEveryKeyInOrderAndReadsItBack) {
    ScratchFolder folder;
    const std::string path = folder.Path("deep\\er\\Glimmora.ini");  // folders are made on saving
    const SettingsRecord saved = UsersRecord();
    ASSERT_TRUE(SaveSettingsFile(saved, path));

    EXPECT_EQ(ReadBytes(path), "[Settings]\r\n" + SavedLines(saved, SettingKey(kSettingCount)));
    SettingsRecord loaded;
    LoadSettingsFile(loaded, path, 0);
    EXPECT_EQ(loaded, saved);

    // Saving over an older file replaces each key's first line where it stands and keeps
    // every other line; the keys it lacked follow its last line.
    WriteBytes(path, "[Other]\r\nA=1\r\n[Settings]\r\n; mine\r\nhalosize = 5\r\nJunk=1\r\n\r\nHaloSize=6\r\n\r\n"
                     "[Last]\r\nB=2");
    ASSERT_TRUE(SaveSettingsFile(saved, path));
    const std::string merged = "[Other]\r\nA=1\r\n[Settings]\r\n; mine\r\nHaloSize=" +
                               SettingText(saved, SettingKey::HaloSize) + "\r\nJunk=1\r\n\r\nHaloSize=6\r\n" +
                               SavedLines(saved, SettingKey::HaloSize);
    EXPECT_EQ(ReadBytes(path), merged + "\r\n[Last]\r\nB=2");
    LoadSettingsFile(loaded, path, 0);
    EXPECT_EQ(loaded, saved);

    // A key the save leaves out is taken out of the file, in UTF-16 files too: a value set
    // and set back to its default does not linger.
    const std::string text = "[Settings]\r\nHealHooks=0\r\nJunk=1\r\n";
    for (const std::string& file : {text, Utf16(text)}) {
        WriteBytes(path, file);
        LoadSettingsFile(loaded, path, 0);
        ASSERT_FALSE(loaded.IsOn(SettingKey::HealHooks));
        ASSERT_TRUE(SaveSettingsFile(SettingsRecord(), path));
        ProfileKeySource keys(path);
        EXPECT_EQ(keys.Read("HealHooks"), std::nullopt);
        EXPECT_NE(keys.Read("HaloSize"), std::nullopt);
        LoadSettingsFile(loaded, path, 0);
        EXPECT_EQ(loaded, SettingsRecord());
    }
}

// Damaged files: the fast reader, the key-by-key reader and the API's own integer reading
// agree, and the result saves and reloads like any other record.
TEST(SettingsFileWin, DamagedFilesReadLikeTheProfileApiAndSaveNormally) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    const std::vector<std::string> files = {
        "",
        "no section at all\r\nHaloSize=5\r\n",
        "[Settings]\r\nHaloSize=abc\r\nButtonsSize=9999999999\r\nHaloTrans=-0\r\nCrosshairGap=+5\r\nButtons=\r\n"
        "ButtonsFading=12.7\r\nhalocolor = 0x1F \r\nTaskbar=0\r\nWindowVisible='0'\r\nLanguage=\"4\"\r\n",
        "[settings]\r\nHaloSize=1\r\nHALOSIZE=2\r\nButtons\r\nButtons=0\r\n[Settings]\r\nHaloTrans=3\r\n",
        "[Settings]\r\nListPosX=" + std::string(28, '0') + "12\r\nListPosY=" + std::string(40, ' ') + "-7\r\n"
        "MouseImagePosX=0b101\r\nMouseImagePosY=0X10\r\nWheelWidth=\x01\x02" "8\r\nLeftButtonWidth=\"\"\r\n"
        "HaloSize=\"7\r\nHaloTrans='8\"\r\n",
        std::string("\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\r\0\n\0H\0a\0l\0o\0S\0i\0z\0e\0=\0" "4\0" "2\0", 46),
        "\xEF\xBB\xBF[Settings]\r\nHaloSize=43\r\nHotKeyPauseKeyCode=-\xC3\xA9\r\n",
        std::string("[Settings]\nHaloSize=\0 7\rButtons=0\n\x80\x81\xFE=3\nHaloRing=1", 55),
        // Headings, blanks and line ends as the profile API reads them: the save must find the
        // same section and lines, or what it wrote would not be what is read next.
        "  [ SETTINGS ] ; x\rHaloSize=55\r[Settings\rx[Other]\rHaloTrans=6\r",
        "[Settings]\rHaloSize=56\nButtons=0\r\n\x1A\r\n\x0B halotrans\x0C=7\x1A\r\n[X]\r\nHaloRing=1",
        "[Settings]]\r\nHaloSize=57\r\n[Settings]x\r\nHaloTrans=8\r\n[Settings]\r\nHaloRing=1\r\n",
        "[Settings]\r\nHaloSize\r\nHaloSize=58\r\nHalo=5\r\nCrosshair=-3\r\nHaloColor=-2147483643\r\n",
    };
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        WriteBytes(path, files[i]);
        SettingsRecord fast, perKey, reference;
        LoadSettingsFile(fast, path, 1);
        ProfileKeySource keys(path);
        LoadSettings(perKey, keys, 1);
        IntApiSource api(path);
        LoadSettings(reference, api, 1);
        EXPECT_EQ(fast, reference);
        EXPECT_EQ(perKey, reference);

        ASSERT_TRUE(SaveSettingsFile(fast, path));
        SettingsRecord again;
        LoadSettingsFile(again, path, 1);
        EXPECT_EQ(again, fast);
    }
}

TEST(SettingsFileWin, ChoosesAndTakesOverFilesOnDisk) {
    ScratchFolder folder;
    const SettingsFilePaths paths = MakeSettingsFilePaths(folder.Path("program"), folder.Path("appdata"));
    fs::create_directories(Widen(paths.programFolder));
    WriteBytes(paths.programFile, "[Settings]\r\nButtons=0\r\nHaloSize=55\r\n");

    // On a removable drive the file beside the program stays in use; nothing else is made.
    std::wstring probedRoot;
    Win32SettingsFileSystem stick([&](const std::wstring& root) {
        probedRoot = root;
        return UINT(DRIVE_REMOVABLE);
    });
    SettingsRecord record;
    EXPECT_EQ(ChooseSettingsFile(paths, stick, record, 0), paths.programFile);
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 55);
    EXPECT_EQ(probedRoot, Widen(paths.programFolder.substr(0, 3)));  // "C:\"
    EXPECT_FALSE(fs::exists(Widen(folder.Path("appdata"))));

    // On a fixed drive the old file is taken over: the user file appears with "Buttons".
    Win32SettingsFileSystem disk([](const std::wstring&) { return UINT(DRIVE_FIXED); });
    SettingsRecord takenOver;
    EXPECT_EQ(ChooseSettingsFile(paths, disk, takenOver, 0), paths.userFile);
    EXPECT_EQ(takenOver.Get(SettingKey::HaloSize), 55);
    EXPECT_EQ(ReadBytes(paths.userFile), "[Settings]\r\nButtons=0\r\n");
    ASSERT_TRUE(SaveSettingsFile(takenOver, paths.userFile));
    SettingsRecord next;  // the next start reads the user file
    EXPECT_EQ(ChooseSettingsFile(paths, disk, next, 0), paths.userFile);
    EXPECT_EQ(next, takenOver);

    // When the user folder cannot be made (a file stands in its way) the old file stays.
    const SettingsFilePaths blocked = MakeSettingsFilePaths(paths.programFolder, folder.Path("blocker"));
    WriteBytes(folder.Path("blocker"), "a file, not a folder");
    SettingsRecord stuck;
    EXPECT_EQ(ChooseSettingsFile(blocked, disk, stuck, 0), paths.programFile);
    EXPECT_EQ(stuck.Get(SettingKey::HaloSize), 55);

    EXPECT_EQ(SpecialFolderPath(CSIDL_APPDATA, "\\Glimmora\\Glimmora.ini\\"),
              Narrow(_wgetenv(L"APPDATA")) + "\\Glimmora\\Glimmora.ini");
}

TEST(SettingsFileWin, ResetAsksFirstAndALockedFileIsLeftAsItWas) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    ASSERT_TRUE(SaveSettingsFile(UsersRecord(), path));
    const std::string bytes = ReadBytes(path);
    const clsLanguage language("English", {});
    int applied = 0, saved = 0;
    uintmax_t sizeWhenApplied = 99;
    auto apply = [&] {
        ++applied;
        sizeWhenApplied = fs::file_size(Widen(path));
    };
    auto save = [&] { ++saved; };

    {  // No: nothing happens.
        BoxAnswerer no(language.GetString(32), IDNO);
        EXPECT_FALSE(ResetToDefaults(nullptr, language, path, apply, save));
        no.Wait();
        EXPECT_TRUE(no.seen && no.hasYes && no.hasNo && !no.hasOk);
        EXPECT_TRUE(no.Showed("Really reset all settings to default?"));
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(applied + saved, 0);
    }
    {  // A locked file: saving fails, and Yes shows the "File access denied" box; the file stays.
        FileLock lock(path);
        ASSERT_TRUE(lock.Held());
        EXPECT_FALSE(SaveSettingsFile(SettingsRecord(), path));
        EXPECT_FALSE(fs::exists(TempPathOf(Widen(path))));
        BoxAnswerer yes(language.GetString(32), IDYES);
        BoxAnswerer denied("Glimmora Error", IDOK);
        EXPECT_FALSE(ResetToDefaults(nullptr, language, path, apply, save));
        yes.Wait();
        denied.Wait();
        ASSERT_TRUE(denied.seen);
        EXPECT_TRUE(denied.hasOk && !denied.hasNo);
        EXPECT_TRUE(denied.Showed("File access denied. Cannot save settings.\r\nPlease make sure that the file\r\n" + path +
                                  "\r\nis not write protected or opened by another program."));
        EXPECT_EQ(applied + saved, 0);
    }
    EXPECT_EQ(ReadBytes(path), bytes);
    {  // Yes: the file is emptied before the settings are applied and saved.
        BoxAnswerer yes(language.GetString(32), IDYES);
        EXPECT_TRUE(ResetToDefaults(nullptr, language, path, apply, save));
        yes.Wait();
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(saved, 1);
        EXPECT_EQ(sizeWhenApplied, 0u);
    }
}

// A damaged file of 50 MB must not hold up the start or the exit: key by key the profile
// API searches it once per key on reading and rewrites it once per key on saving. It is
// read in one listing, its one real value found, and saved with every line kept.
TEST(SettingsFileWin, HugeFileIsReadInOnePassAndSavedWithEveryLineKept) {
    ScratchFolder folder;
    const std::string path = folder.Path("Glimmora.ini");
    std::string bytes = "[Settings]\r\n";
    while (bytes.size() < 50'000'000) bytes += "k=v\r\n";
    bytes += "HaloSize=123\r\n";
    WriteBytes(path, bytes);
    EXPECT_NE(dynamic_cast<SectionListingSource*>(OpenSettingsSource(path).get()), nullptr);
    SettingsRecord record;
    LoadSettingsFile(record, path, 0);
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 123);

    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(SaveSettingsFile(record, path));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    RecordProperty("SaveSeconds", std::to_string(took.count()));
    std::printf("saving the 50 MB file took %.2f s\n", took.count());

    bytes += SavedLines(record, SettingKey::HaloSize);
    const std::string saved = ReadBytes(path);
    EXPECT_TRUE(saved == bytes) << saved.size() << " bytes saved, " << bytes.size() << " expected";
    SettingsRecord reread;
    LoadSettingsFile(reread, path, 0);
    EXPECT_EQ(reread, record);
}
