// The settings record, where its file lives, which copy a start reads, and the section merge.
#include <gtest/gtest.h>

#include <memory>

#include "CoreTestSupport.h"
#include "settings/SettingsLocation.h"

namespace {

std::vector<IniEntry> Saved(const SettingsRecord& record) {
    IniEntrySink sink;
    EXPECT_TRUE(SaveSettings(record, sink));
    return sink.Entries();
}

std::string SavedText(const SettingsRecord& record, std::string_view key) {
    for (const IniEntry& e : Saved(record))
        if (e.key == key) return e.text.value_or("<removed>");
    return "<missing>";
}

SettingsRecord SavedAndReloaded(const SettingsRecord& record) { return Loaded(ListingOf(Saved(record))); }

// Files as listings of their section; a sink creates its file unless the folder cannot be made.
struct FakeFiles final : SettingsFileSystem {
    bool removable = false, canCreateUserFolder = true;
    std::map<std::string, std::string> files;

    bool IsOnRemovableDrive(const std::string&) override { return removable; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool EnsureFolder(const std::string&) override { return canCreateUserFolder; }
    std::unique_ptr<IniSource> OpenSource(const std::string& path) override {
        return std::make_unique<SectionListingSource>(files.count(path) ? files[path] : "");
    }
    struct Sink final : IniSink {
        FakeFiles& owner;
        std::string path;
        Sink(FakeFiles& o, std::string p) : owner(o), path(std::move(p)) {}
        bool Write(std::string_view, std::string_view) override { return Remove({}); }
        bool Remove(std::string_view) override { return owner.canCreateUserFolder && (owner.files[path], true); }
    };
    std::unique_ptr<IniSink> OpenSink(const std::string& path) override { return std::make_unique<Sink>(*this, path); }
};

std::string Utf16(std::string_view text, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : text) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

}  // namespace

// Defaults save the 79 keys, window keys before shortcuts; a refused key stops nothing.
TEST(SettingsRecord, DefaultsSaveTheSeventyNineKeysWindowKeysBeforeShortcuts) {
    std::vector<std::string> expected, saved, removed, added;
    for (auto [from, to] : {std::pair{0, 54}, {75, 79}, {54, 75}})
        for (int i = from; i < to; ++i) expected.emplace_back(SettingRows()[size_t(i)].name);
    for (size_t i = 79; i < kSettingCount; ++i) added.emplace_back(SettingRows()[i].name);
    for (const IniEntry& e : Saved(SettingsRecord(5))) (e.text ? saved : removed).push_back(e.key);
    EXPECT_TRUE(saved == expected && removed == added);
    EXPECT_EQ(SavedText(SettingsRecord(5), "Language"), "5");

    struct Refusing final : IniSink {
        size_t calls = 0;
        bool Write(std::string_view, std::string_view) override { return Remove({}); }
        bool Remove(std::string_view) override { return ++calls, false; }
    } refusing;
    EXPECT_TRUE(!SaveSettings(SettingsRecord(), refusing) && refusing.calls == kSettingCount);
}

// An added key is written after the 79 while set and reads back. Set back, the save removes it
// (the defaults' save above) and the merge drops every line of it (the merge's table below).
TEST(SettingsRecord, AnAddedKeyIsKeptWhileSet) {
    for (size_t i = 79; i < kSettingCount; ++i) {
        SCOPED_TRACE(SettingRows()[i].name);
        SettingsRecord set;
        // Another value the key keeps: a slider's lowest, a switch flipped.
        const auto range = SettingRange(SettingKey(i));
        set.Set(SettingKey(i), range ? range->min : 1 - SettingsRecord().Get(SettingKey(i)));
        const std::vector<IniEntry> entries = Saved(set);
        ASSERT_EQ(std::count_if(entries.begin(), entries.end(), [](const IniEntry& e) { return e.text; }), 80);
        EXPECT_EQ(SavedAndReloaded(set), set);
    }
}

// Fading in tenths; sliders round half to even, positions keep decimals, flags are 0 or 1.
TEST(SettingsRecord, ValuesAreTransformedOnLoadAndSave) {
    using enum SettingKey;
    SettingsRecord record = Loaded(Listing({"ButtonsFading=25", "MouseImageColor=7", "HotKeyBlinkSpec1=-16"}));
    EXPECT_TRUE(record.Get(ButtonsFading) == 2.5 && record.Get(MouseImageColor) == 1);
    EXPECT_EQ(SavedAndReloaded(record), record);
    const std::tuple<SettingKey, double, const char*> held[] = {
        {ButtonsFading, 2.5, "25"}, {ButtonsFading, 0.25, "2"}, {ButtonsSize, 44.5, "44"}, {HaloSize, 45.5, "46"},
        {CrosshairGap, -0.4, "0"}, {ListPosX, 1234.5, "1234.5"}, {ListPosY, -15, "-15"}, {Taskbar, -3, "1"},
        {Halo, 5, "1"}, {ListAnyKeys, 0, "0"}, {MouseImageColor, 1, "1"}, {HotKeyBlinkSpec1, -16, "-16"},
    };
    for (const auto& [key, value, text] : held) {
        record.Set(key, value);
        EXPECT_EQ(SavedText(record, SettingRowOf(key).name), text) << SettingRowOf(key).name << " " << value;
    }
    EXPECT_EQ(SavedText(SettingsRecord(), "ButtonsFading"), "10");
    EXPECT_EQ(record.GetInt(ButtonsSize), 44);
}

// ListAnyKeys follows the key classes read before it unless present; Taskbar forces visibility.
TEST(SettingsRecord, LoadedFlagsFollowTheirNeighbours) {
    const std::pair<std::vector<std::string_view>, std::array<double, 3>> cases[] = {
        {{"ListCharacterSpecialKeys=0"}, {0, 1, 1}}, {{"ListCharacterSpecialKeys=0", "ListMouseButtons=1"}, {1, 1, 1}},
        {{"ListCharacterSpecialKeys=0", "ListMouseButtons=-4"}, {0, 1, 1}}, {{"ListCharacterSpecialKeys=7"}, {1, 1, 1}},
        {{"ListCharacterSpecialKeys=0", "ListAnyKeys=1"}, {1, 1, 1}}, {{"ListAnyKeys=0"}, {0, 1, 1}},
        {{"Taskbar=-7", "WindowVisible=0"}, {1, 1, 1}}, {{"Taskbar=0", "WindowVisible=0"}, {1, 0, 0}},
        {{"Taskbar=0", "WindowVisible=5"}, {1, 0, 1}}, {{"Taskbar=0"}, {1, 0, 1}},
    };
    for (const auto& [entries, flags] : cases) {
        const SettingsRecord r = Loaded(Listing(entries));
        EXPECT_EQ((std::array{r.Get(SettingKey::ListAnyKeys), r.Get(SettingKey::Taskbar), r.Get(SettingKey::WindowVisible)}), flags)
            << entries.front();
    }
}

TEST(SettingsRecord, ParsesIntegersLikeTheProfileApi) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"", -77}, {"abc", 0}, {"9999999999", 1410065407}, {"-0", 0}, {"+5", 5}, {"12.7", 12}, {"-1", -1},
        {"4294967295", -1}, {"-2147483648", kMinI}, {"2147483648", kMinI}, {"\t\x01 42", 42}, {"- 5", 0},
        {"+-5", 0}, {"5\xC3\xA9", 5}, {"\xC3\xA9" "5", 0}, {"1 2", 1}, {"0x1F", 31}, {"0xfg", 15}, {"-0x10", -16},
        {"0X10", 0}, {"0o17", 15}, {"0b1012", 5}, {"0x", 0},
        // Only the first 29 characters count.
        {std::string(28, '0') + "12", 1}, {std::string(30, '0') + "12", 0}, {std::string(29, ' ') + "7", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseProfileInt(text, -77), expected) << text;
}

// Quotes go, the first entry decides, bare or empty reads as absent, case and junk are ignored.
TEST(SettingsRecord, OddEntriesReadAsTheProfileApiHandsThemOver) {
    const SettingsRecord record = Loaded(Listing({"haLOsize=\"42\"", "HaloSize=43", "Buttons", "Buttons=0", "Junk=4",
                                                  "HaloTrans='9'", "=5", "CrosshairSize="}) + "HaloRing=1");
    using enum SettingKey;
    EXPECT_EQ((std::array{record.Get(HaloSize), record.Get(Buttons), record.Get(HaloTrans), record.Get(HaloRing)}),
              (std::array<double, 4>{42, 1, 9, 1}));
    EXPECT_EQ(record.Get(CrosshairSize), SettingsRecord().Get(CrosshairSize));
    EXPECT_EQ(Loaded(Listing({"HotKeyBlinkKeyCode=\"7"})).Get(SettingKey::HotKeyBlinkKeyCode), 0);  // unmatched quote
}

// Values end where their holder can hold them (palette, range, choice), and are saved so.
TEST(SettingsRecord, OutOfRangeValuesAreMadeValidAndSavedSo) {
    using enum SettingKey;
    const std::tuple<SettingKey, const char*, const char*> cases[] = {
        {ButtonsSize, "4", "5"}, {ButtonsFading, "51", "50"}, {ButtonsFading, "-1", "0"}, {HaloSize, "100000", "300"},
        {HaloTrans, "-2147483648", "0"}, {WheelWidth, "1", "2"}, {FadeAutoHide, "61", "60"},
        {HaloColor, "254", "255"}, {HaloColor, "-2147483643", "0"}, {CrosshairColor, "16777216", "16777151"},
        {LeftButtonColor, "-1", "255"}, {MiddleButtonColor, "0x00D000", "48896"},
        {Halo, "5", "1"}, {Crosshair, "-3", "0"}, {WindowState, "3", "0"}, {WindowState, "2", "2"},
        {Language, "7", "3"}, {Language, "-1", "3"}, {Language, "6", "6"}, {HotKeyBlinkKeyCode, "-77", "-77"},
        {HotKeyPauseSpec2, "100000", "100000"}, {ListPosX, "-2147483648", "-2147483648"}, {MouseImageColor, "-9", "1"},
    };
    for (const auto& [key, value, saved] : cases) {
        const std::string entry = std::string(SettingRowOf(key).name) + "=" + value;
        const SettingsRecord record = Loaded(Listing({entry}), 3);
        EXPECT_EQ(SettingText(record, key), saved) << entry;
        EXPECT_EQ(SavedAndReloaded(record).Get(key), record.Get(key)) << entry;
        SettingsRecord again = record;
        MakeSettingsValid(again, 3);
        EXPECT_EQ(again, record) << entry;
    }
    EXPECT_EQ(Loaded("", 3), SettingsRecord(3));
}

// A stick keeps the file beside the program; elsewhere the user file, taking over an old one.
TEST(SettingsLocation, TheFileInUseAndTheTakeOverOfAnOldOne) {
    const SettingsFilePaths paths = MakeSettingsFilePaths("E:\\Tools", "C:\\AppData");
    EXPECT_TRUE(paths.programFile == "E:\\Tools\\Glimmora.ini" && paths.userFile == "C:\\AppData\\Glimmora\\Glimmora.ini");
    const std::string old = Listing({"HaloSize=55", "Buttons=0"}), mine = Listing({"HaloSize=66"});
    // Stick, folder can be made, old file, user file; user file chosen, halo size read, user file after.
    const std::tuple<const char*, std::array<bool, 4>, bool, double, bool> cases[] = {
        {"a stick with both files", {true, true, true, true}, false, 55, true},
        {"a disk with both files", {false, true, true, true}, true, 66, true},
        {"a disk with the old file alone: taken over", {false, true, true, false}, true, 55, true},
        {"the user file cannot be made", {false, false, true, false}, false, 55, false},
        {"no file at all: defaults", {false, true, false, false}, true, 100, false},
    };
    for (const auto& [what, setup, userFileChosen, haloSize, userFileAfter] : cases) {
        FakeFiles files;
        files.removable = setup[0];
        files.canCreateUserFolder = setup[1];
        if (setup[2]) files.files[paths.programFile] = old;
        if (setup[3]) files.files[paths.userFile] = mine;
        SettingsRecord record;
        record.Set(SettingKey::HaloTrans, 1);
        EXPECT_EQ(ChooseSettingsFile(paths, files, record, 4), userFileChosen ? paths.userFile : paths.programFile) << what;
        EXPECT_EQ(record.Get(SettingKey::HaloSize), haloSize) << what;
        EXPECT_EQ(files.files.count(paths.userFile), userFileAfter ? 1u : 0u) << what;
        EXPECT_TRUE(record.Get(SettingKey::HaloTrans) == SettingsRecord().Get(SettingKey::HaloTrans) &&
                    record.Get(SettingKey::Language) == 4) << "what the file lacks is the default: " << what;
    }
}

TEST(SettingsCopy, FilesWithoutHeadingOrWithNulBytesDoNotReadAndTheBackupTakesTheirPlace) {
    const std::pair<std::string, bool> rows[] = {
        {"; mine\n[Other]\nA=1\n  [ settings ] ; x\rHaloSize=5", true}, {"\xEF\xBB\xBF[Settings]\r\n", true},
        {"\x1A[SETTINGS]x\r\n", true},  // the profile API's blanks, text after the bracket
        {Utf16("[Settings]\r\nHaloSize=5\r\n", false), true}, {Utf16("\xE9[Other]\r\n[Settings]\r\n", true), true},
        {"", false}, {"[Other]\r\nHaloSize=5\r\n", false}, {"[Settings\r\nHaloSize=5\r\n", false}, {"x[Settings]\r\n", false},
        {"[Setting]\r\n[Settingss]\r\n", false}, {std::string(4096, '\0'), false},
        {"[Settings]\r\nHaloSize=5\r\n" + std::string(512, '\0'), false},  // a zeroed tail
        {std::string("[Settings]\r\nHalo\0Size=5\r\n", 24), false},
        {std::string("\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\0\0", 24), false}, {"\xFF\xFE", false},  // a NUL character
        {Utf16("[Settings]", true).substr(2), false},  // UTF-16 without its mark has NUL bytes
    };
    for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(ReadsAsSettingsFile(rows[i].first), rows[i].second) << i;
    // The backup is read only in place of a file that does not read.
    const std::string good = "[Settings]\r\nHaloSize=5\r\n", zeroed(good.size(), '\0'), other = "[Other]\r\n";
    using C = SettingsCopy;
    const std::tuple<std::optional<std::string_view>, std::optional<std::string_view>, SettingsCopy> copies[] = {
        {good, good, C::File},     {good, zeroed, C::File},  {good, std::nullopt, C::File}, {zeroed, good, C::Backup},
        {other, good, C::Backup},  {std::string_view(), good, C::Backup},  // emptied, the save after it never came
        {std::nullopt, good, C::Backup},                                   // gone between two steps of replacing it
        {zeroed, zeroed, C::File}, {zeroed, other, C::File}, {zeroed, std::nullopt, C::File},
        {std::nullopt, std::nullopt, C::File}, {std::nullopt, zeroed, C::File},
    };
    for (size_t i = 0; i < std::size(copies); ++i)
        EXPECT_EQ(ChooseSettingsCopy(std::get<0>(copies[i]), std::get<1>(copies[i])), std::get<2>(copies[i])) << i;
}

// The section merged line by line: other lines stay; a key to go loses every line in the section.
TEST(SettingsSection, MergeKeepsEveryOtherLineOfTheFile) {
    using namespace std::string_literals;
    const std::vector<IniEntry> entries = {{"HaloSize", "50"}, {"Halo", "1"}, {"Buttons", "0"}, {"HealHooks", std::nullopt}};
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"empty file", "", "[Settings]\r\nHaloSize=50\r\nHalo=1\r\nButtons=0\r\n"},
        {"comments, unknown keys, other sections and blank lines stay; keys are replaced in place",
         "; top\r\n[Other]\r\nHaloSize=9\r\n[Settings]\r\n; mine\r\n  halosize = 7 \r\nJunk=1\r\n\r\nHalo=0\r\n\r\n \r\n"
         "[Last]\r\nB=2",
         "; top\r\n[Other]\r\nHaloSize=9\r\n[Settings]\r\n; mine\r\nHaloSize=50\r\nJunk=1\r\n\r\nHalo=1\r\nButtons=0\r\n"
         "\r\n \r\n[Last]\r\nB=2"},
        {"section missing, LF endings, no final line end", "[Other]\nA=1",
         "[Other]\nA=1\n[Settings]\nHaloSize=50\nHalo=1\nButtons=0\n"},
        {"the first line of a key is replaced, a bare name too; later ones stay",
         "[Settings]\nHalo=5\nHALO=6\nButtons\nButtons=1\n", "[Settings]\nHalo=1\nHALO=6\nButtons=0\nButtons=1\nHaloSize=50\n"},
        {"only the first section of the name", "[settings]\r\nHalo=0\r\n[Settings]\r\nButtons=1\r\n",
         "[settings]\r\nHalo=1\r\nHaloSize=50\r\nButtons=0\r\n[Settings]\r\nButtons=1\r\n"},
        {"headings as the profile API reads them", "  [ SETTINGS ] ; x\rHalo=0\r[Settings\rx[Other]\r",
         "  [ SETTINGS ] ; x\rHalo=1\r[Settings\rx[Other]\rHaloSize=50\rButtons=0\r"},
        {"a heading ends at its last bracket", "[Settings]]\nHalo=0\n",
         "[Settings]]\nHalo=0\n[Settings]\nHaloSize=50\nHalo=1\nButtons=0\n"},
        {"CR and LF both end lines; added lines end as the first does", "[Settings]\rHalo=0\nButtons=1\r\n\x1A\r\n[X]",
         "[Settings]\rHalo=1\nButtons=0\r\nHaloSize=50\r\x1A\r\n[X]"},
        {"names that only look alike", "[Settings]\nHalo Size=1\n;Halo=1\nHalo\0=2\n"s,
         "[Settings]\nHalo Size=1\n;Halo=1\nHalo\0=2\nHaloSize=50\nHalo=1\nButtons=0\n"s},
        {"every line of it in the section, whatever the case; other sections keep theirs",
         "[Settings]\r\nhealhooks = 0\r\nX=1\r\nHEALHOOKS\r\n[Other]\r\nHealHooks=0\r\n",
         "[Settings]\r\nX=1\r\nHaloSize=50\r\nHalo=1\r\nButtons=0\r\n[Other]\r\nHealHooks=0\r\n"},
        {"removed from the last line, without a line end", "[Settings]\r\nX=1\r\nHealHooks=0",
         "[Settings]\r\nX=1\r\nHaloSize=50\r\nHalo=1\r\nButtons=0\r\n"},
    };
    for (const auto& [what, file, merged] : cases) {
        EXPECT_EQ(MergeSettingsSection(file, entries), merged) << what;
        EXPECT_EQ(MergeSettingsSection(merged, entries), merged) << "saving again changes nothing: " << what;
    }
}
