#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/SettingsLocation.h"
#include "app/SettingsRecord.h"
#include "app/SettingsSection.h"

namespace {

// Every key in reading order with the value it holds when the file lacks it (system
// language 3). Written out by hand so that a slip in the table shows up here.
const std::vector<std::pair<std::string, double>> kExpectedDefaults = {
    {"Buttons", 1}, {"ButtonsSize", 44}, {"ButtonsTrans", 50}, {"ButtonsFading", 1.0},
    {"MouseImage", 0}, {"MouseImageSize", 84}, {"MouseImageTrans", 30}, {"MouseImageColor", 0},
    {"MouseImageLockPos", 0}, {"MouseImagePosX", 0}, {"MouseImagePosY", 0},
    {"Halo", 1}, {"HaloSize", 100}, {"HaloTrans", 80}, {"HaloRing", 0}, {"HaloFullScreen", 0}, {"HaloColor", 0},
    {"Crosshair", 0}, {"CrosshairSize", 7}, {"CrosshairTrans", 40}, {"CrosshairGap", 100},
    {"CrosshairColor", 16777152}, {"CrosshairArrows", 1},
    {"ListSpecialKeys", 0}, {"ListCharacterKeys", 0}, {"ListCharacterSpecialKeys", 1}, {"ListCursorKeys", 0},
    {"ListFunctionKeys", 0}, {"ListInputKeys", 0}, {"ListMouseButtons", 0}, {"ListAnyKeys", 1},
    {"LeftButtonColor", 255}, {"LeftButtonWidth", 11}, {"MiddleButtonColor", 53248}, {"MiddleButtonWidth", 8},
    {"RightButtonColor", 16728064}, {"RightButtonWidth", 6}, {"WheelColor", 12583104}, {"WheelWidth", 10},
    {"ShowWheelArrows", 1}, {"ShowLettersOnRings", 0}, {"RingsSameSize", 0}, {"DisksAsClickIndicators", 0},
    {"ListKeysFading", 4}, {"ShowKeysWindow", 1}, {"ShowKeysClick", 1}, {"KeyBoardTrans", 20},
    {"ListLockPos", 0}, {"ListPosX", 0}, {"ListPosY", 0},
    {"AutoHideMouse", 0}, {"AutoHideKeyboard", 0}, {"FadeAutoHide", 5}, {"LowRefresh", 0},
    {"HotKeyBlinkSpec1", 16}, {"HotKeyBlinkSpec2", 17}, {"HotKeyBlinkKeyCode", 89},
    {"HotKeyPauseSpec1", 16}, {"HotKeyPauseSpec2", 17}, {"HotKeyPauseKeyCode", 65},
    {"HotKeyButtonsSpec1", 16}, {"HotKeyButtonsSpec2", 17}, {"HotKeyButtonsKeyCode", -1},
    {"HotKeyPictureSpec1", 16}, {"HotKeyPictureSpec2", 17}, {"HotKeyPictureKeyCode", -1},
    {"HotKeySpotSpec1", 16}, {"HotKeySpotSpec2", 17}, {"HotKeySpotKeyCode", -1},
    {"HotKeyCrossHairSpec1", 16}, {"HotKeyCrossHairSpec2", 17}, {"HotKeyCrossHairKeyCode", -1},
    {"HotKeyKeyBoardSpec1", 16}, {"HotKeyKeyBoardSpec2", 17}, {"HotKeyKeyBoardKeyCode", -1},
    {"Language", 3}, {"Taskbar", 1}, {"WindowState", 0}, {"WindowVisible", 1},
};

std::string Listing(std::initializer_list<std::string_view> entries) {
    std::string listing;
    for (std::string_view entry : entries) listing.append(entry).append(1, '\0');
    return listing;
}

SettingsRecord Loaded(std::string_view listing, int32_t systemLanguage = 0) {
    SettingsRecord record;
    SectionListingSource source(listing);
    LoadSettings(record, source, systemLanguage);
    return record;
}

struct RecordingSink final : IniSink {
    std::vector<std::pair<std::string, std::string>> written;
    bool refuse = false;
    bool Write(std::string_view key, std::string_view text) override {
        written.emplace_back(key, text);
        return !refuse;
    }
    std::string Text(std::string_view key) const {
        for (const auto& [k, t] : written)
            if (k == key) return t;
        return "<missing>";
    }
};

SettingsRecord SavedAndReloaded(const SettingsRecord& record) {
    SectionListingSink sink;
    EXPECT_TRUE(SaveSettings(record, sink));
    return Loaded(sink.Listing());
}

}  // namespace

TEST(SettingsRecord, EmptyFileGivesEveryDefaultInTableOrder) {
    ASSERT_EQ(kExpectedDefaults.size(), kSettingCount);
    const SettingsRecord record = Loaded("", 3);
    for (size_t i = 0; i < kSettingCount; ++i) {
        EXPECT_EQ(SettingRows()[i].name, kExpectedDefaults[i].first) << i;
        EXPECT_EQ(record.Get(SettingKey(i)), kExpectedDefaults[i].second) << kExpectedDefaults[i].first;
    }
    EXPECT_EQ(SettingsRecord(3), record);  // a new record is a record of defaults
}

TEST(SettingsRecord, SavesEveryKeyOnceWithWindowKeysBeforeShortcuts) {
    std::vector<std::string> expected;
    for (size_t i = 0; i < 54; ++i) expected.push_back(kExpectedDefaults[i].first);
    for (size_t i = 75; i < 79; ++i) expected.push_back(kExpectedDefaults[i].first);
    for (size_t i = 54; i < 75; ++i) expected.push_back(kExpectedDefaults[i].first);

    RecordingSink sink;
    EXPECT_TRUE(SaveSettings(SettingsRecord(5), sink));
    std::vector<std::string> keys;
    for (const auto& entry : sink.written) keys.push_back(entry.first);
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(sink.Text("ButtonsFading"), "10");
    EXPECT_EQ(sink.Text("CrosshairColor"), "16777152");
    EXPECT_EQ(sink.Text("HotKeySpotKeyCode"), "-1");
    EXPECT_EQ(sink.Text("Language"), "5");

    // A refused key does not stop the others, and the caller hears of it.
    RecordingSink refusing;
    refusing.refuse = true;
    EXPECT_FALSE(SaveSettings(SettingsRecord(), refusing));
    EXPECT_EQ(refusing.written.size(), kSettingCount);
}

TEST(SettingsRecord, TransformsOnLoadAndSave) {
    SettingsRecord record = Loaded(Listing({"ButtonsFading=25", "MouseImageColor=7", "HotKeyPauseKeyCode=-1",
                                            "HotKeyBlinkSpec1=-16", "HaloColor=-2147483648"}));
    EXPECT_EQ(record.Get(SettingKey::ButtonsFading), 2.5);
    EXPECT_EQ(record.Get(SettingKey::MouseImageColor), 1);
    RecordingSink sink;
    SaveSettings(record, sink);
    EXPECT_EQ(sink.Text("ButtonsFading"), "25");
    EXPECT_EQ(sink.Text("MouseImageColor"), "1");
    EXPECT_EQ(sink.Text("HotKeyPauseKeyCode"), "-1");
    EXPECT_EQ(sink.Text("HotKeyBlinkSpec1"), "-16");
    EXPECT_EQ(sink.Text("HaloColor"), "-2147483648");
    EXPECT_EQ(SavedAndReloaded(record), record);

    // What the holders hand back: slider values are rounded half to even, positions and
    // widths keep their decimal text, flags become 0 or 1.
    record.Set(SettingKey::ButtonsSize, 44.5);
    record.Set(SettingKey::HaloSize, 45.5);
    record.Set(SettingKey::ButtonsFading, 0.25);
    record.Set(SettingKey::CrosshairGap, -0.4);
    record.Set(SettingKey::ListPosX, 1234.5);
    record.Set(SettingKey::ListPosY, -15);
    record.Set(SettingKey::Taskbar, -3);
    record.Set(SettingKey::WindowVisible, 0);
    RecordingSink held;
    SaveSettings(record, held);
    EXPECT_EQ(held.Text("ButtonsSize"), "44");
    EXPECT_EQ(held.Text("HaloSize"), "46");
    EXPECT_EQ(held.Text("ButtonsFading"), "2");
    EXPECT_EQ(held.Text("CrosshairGap"), "0");
    EXPECT_EQ(held.Text("ListPosX"), "1234.5");
    EXPECT_EQ(held.Text("ListPosY"), "-15");
    EXPECT_EQ(held.Text("Taskbar"), "1");
    EXPECT_EQ(held.Text("WindowVisible"), "0");
    EXPECT_EQ(record.GetInt(SettingKey::ButtonsSize), 44);
}

TEST(SettingsRecord, ListAnyKeysDefaultFollowsTheKeyClassesReadBeforeIt) {
    const std::string noneSelected = Listing({"ListCharacterSpecialKeys=0"});
    EXPECT_EQ(Loaded(noneSelected).Get(SettingKey::ListAnyKeys), 0);
    EXPECT_EQ(Loaded(Listing({"ListCharacterSpecialKeys=0", "ListMouseButtons=-4"})).Get(SettingKey::ListAnyKeys), 1);
    EXPECT_EQ(Loaded(Listing({"ListAnyKeys=0"})).Get(SettingKey::ListAnyKeys), 0);  // present wins
    EXPECT_EQ(Loaded(noneSelected + Listing({"ListAnyKeys=1"})).Get(SettingKey::ListAnyKeys), 1);
}

TEST(SettingsRecord, TaskbarForcesTheWindowVisible) {
    auto loaded = [](std::initializer_list<std::string_view> entries) {
        const SettingsRecord record = Loaded(Listing(entries));
        return std::pair(record.Get(SettingKey::Taskbar), record.Get(SettingKey::WindowVisible));
    };
    EXPECT_EQ(loaded({"Taskbar=1", "WindowVisible=0"}), std::pair(1.0, 1.0));
    EXPECT_EQ(loaded({"WindowVisible=0"}), std::pair(1.0, 1.0));
    EXPECT_EQ(loaded({"Taskbar=-7", "WindowVisible=0"}), std::pair(1.0, 1.0));
    EXPECT_EQ(loaded({"Taskbar=0", "WindowVisible=0"}), std::pair(0.0, 0.0));
    EXPECT_EQ(loaded({"Taskbar=0", "WindowVisible=5"}), std::pair(0.0, 1.0));
    EXPECT_EQ(loaded({"Taskbar=0"}), std::pair(0.0, 1.0));
}

TEST(SettingsRecord, ParsesIntegersLikeTheProfileApi) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"abc", 0}, {"9999999999", 1410065407}, {"-0", 0}, {"+5", 5}, {"12.7", 12}, {"-1", -1},
        {"4294967295", -1}, {"-2147483648", INT32_MIN}, {"2147483648", INT32_MIN}, {"\t\x01 42", 42},
        {"- 5", 0}, {"+-5", 0}, {"5\xC3\xA9", 5}, {"\xC3\xA9" "5", 0}, {"1 2", 1},
        {"0x1F", 31}, {"0xfg", 15}, {"-0x10", -16}, {"0X10", 0}, {"0o17", 15}, {"0b1012", 5}, {"0x", 0},
        // Only the first 29 characters count.
        {std::string(28, '0') + "12", 1}, {std::string(30, '0') + "12", 0}, {std::string(29, ' ') + "7", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseProfileInt(text, -77), expected) << text;
    EXPECT_EQ(ParseProfileInt("", -77), -77);
}

TEST(SettingsRecord, AnyDamageStillGivesARecordThatSavesAndReloadsUnchanged) {
    const std::vector<std::string> damage = {
        "abc", "9999999999", "-0", "+5", "", "  ", "\"\"", "'7'", "\"3", "1e9", std::string(300, '9'),
        std::string("4\0", 2), "\xFF\xFE", "-2147483649",
    };
    for (const std::string& value : damage) {
        std::string listing;
        for (const SettingRow& row : SettingRows()) listing += std::string(row.name) + "=" + value + '\0';
        const SettingsRecord record = Loaded(listing);
        EXPECT_EQ(SavedAndReloaded(record), record) << value;
    }
    // Quotes go, the first of two entries decides, a bare name reads as absent, case is
    // ignored and other keys or a missing closing NUL change nothing.
    const SettingsRecord record = Loaded(Listing({"haLOsize=\"12\"", "HaloSize=13", "Buttons", "Buttons=0", "Junk=4",
                                                  "HaloTrans='9'", "=5"}) + "HaloRing=1");
    EXPECT_EQ(record.Get(SettingKey::HaloSize), 12);
    EXPECT_EQ(record.Get(SettingKey::Buttons), 1);
    EXPECT_EQ(record.Get(SettingKey::HaloTrans), 9);
    EXPECT_EQ(record.Get(SettingKey::HaloRing), 1);
    EXPECT_EQ(Loaded(Listing({"HaloSize="})).Get(SettingKey::HaloSize), 100);  // empty reads as absent
    EXPECT_EQ(Loaded(Listing({"HaloSize=\"7"})).Get(SettingKey::HaloSize), 0);  // an unmatched quote stays
}

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
