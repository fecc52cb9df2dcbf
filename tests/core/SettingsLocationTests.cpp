// Where the settings file lives and how an old one is taken over, on a file system of the
// test's own.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSection.h"

TEST(SettingsLocation, PathsAreComposedFromTheFolders) {
    EXPECT_EQ(TrimBackslashes("\\Glimmora\\Glimmora.ini\\"), "Glimmora\\Glimmora.ini");
    EXPECT_EQ(TrimBackslashes("\\\\a\\\\"), "\\a\\");
    EXPECT_EQ(TrimBackslashes("\\"), "");
    const SettingsFilePaths paths = MakeSettingsFilePaths("E:\\Tools", "C:\\Users\\Ann\\AppData\\Roaming");
    EXPECT_EQ(paths.programFile, "E:\\Tools\\Glimmora.ini");
    EXPECT_EQ(paths.userFile, "C:\\Users\\Ann\\AppData\\Roaming\\Glimmora\\Glimmora.ini");
    EXPECT_EQ(MakeSettingsFilePaths("E:\\Tools", "").userFile, "\\Glimmora\\Glimmora.ini");
}

namespace {

// Files as listings of their section, plus a log of what was done to them.
struct FakeFiles final : SettingsFileSystem {
    bool removable = false;
    bool canCreateUserFolder = true;
    std::map<std::string, std::string> files;
    std::vector<std::string> log;

    bool IsOnRemovableDrive(const std::string& folder) override {
        log.push_back("drive " + folder);
        return removable;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool EnsureFolder(const std::string& path) override {
        log.push_back("folder " + path);
        return canCreateUserFolder;
    }
    std::unique_ptr<IniSource> OpenSource(const std::string& path) override {
        log.push_back("read " + path);
        return std::make_unique<SectionListingSource>(files.count(path) ? files[path] : "");
    }
    struct Sink final : IniSink {
        FakeFiles& owner;
        std::string path;
        Sink(FakeFiles& o, std::string p) : owner(o), path(std::move(p)) {}
        bool Write(std::string_view key, std::string_view text) override {
            owner.log.push_back("write " + path + " " + std::string(key) + "=" + std::string(text));
            if (!owner.canCreateUserFolder) return false;
            owner.files[path] += std::string(key) + "=" + std::string(text) + '\0';
            return true;
        }
        bool Remove(std::string_view key) override {
            owner.log.push_back("remove " + path + " " + std::string(key));
            return owner.canCreateUserFolder;
        }
    };
    std::unique_ptr<IniSink> OpenSink(const std::string& path) override { return std::make_unique<Sink>(*this, path); }
};

const SettingsFilePaths kPaths = MakeSettingsFilePaths("E:\\Tools", "C:\\AppData");
const std::string& kProgramFile = kPaths.programFile;
const std::string& kUserFile = kPaths.userFile;

}  // namespace

TEST(SettingsLocation, AnExistingFileIsUsedWhereItBelongs) {
    // A removable drive keeps its settings beside the program, even with a user file about.
    FakeFiles stick;
    stick.removable = true;
    stick.files = {{kProgramFile, Listing({"HaloSize=55"})}, {kUserFile, Listing({"HaloSize=66"})}};
    SettingsRecord record;
    EXPECT_EQ(ChooseSettingsFile(kPaths, stick, record, 0), kProgramFile);
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 55);
    EXPECT_EQ(stick.log, (std::vector<std::string>{"drive E:\\Tools", "read " + kProgramFile}));

    // Elsewhere the user file wins over the old one beside the program.
    FakeFiles disk;
    disk.files = stick.files;
    EXPECT_EQ(ChooseSettingsFile(kPaths, disk, record, 0), kUserFile);
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 66);
    EXPECT_EQ(disk.log, (std::vector<std::string>{"drive E:\\Tools", "read " + kUserFile}));
}

TEST(SettingsLocation, TakesOverAnOldFileBesideTheProgram) {
    FakeFiles files;
    files.files[kProgramFile] = Listing({"HaloSize=55", "Buttons=0"});
    SettingsRecord record;
    EXPECT_EQ(ChooseSettingsFile(kPaths, files, record, 0), kUserFile);
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 55);
    EXPECT_EQ(files.log, (std::vector<std::string>{"drive E:\\Tools", "read " + kProgramFile, "folder " + kUserFile,
                                                   "write " + kUserFile + " Buttons=0"}));

    // When the user file cannot be made, the old file stays in use.
    FakeFiles stuck;
    stuck.canCreateUserFolder = false;
    stuck.files[kProgramFile] = Listing({"HaloSize=55"});
    SettingsRecord again;
    EXPECT_EQ(ChooseSettingsFile(kPaths, stuck, again, 0), kProgramFile);
    EXPECT_EQ(again.Get(SettingKey::HaloSize), 55);
}

TEST(SettingsLocation, WithoutAnyFileUsesTheUserFileAndDefaults) {
    FakeFiles files;
    SettingsRecord record;
    record.Set(SettingKey::HaloSize, 1);
    EXPECT_EQ(ChooseSettingsFile(kPaths, files, record, 4), kUserFile);
    EXPECT_EQ(record, SettingsRecord(4));
    EXPECT_EQ(files.log, (std::vector<std::string>{"drive E:\\Tools", "read " + kUserFile}));
    EXPECT_TRUE(files.files.empty());
}
